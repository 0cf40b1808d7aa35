-- Une cellule est la table {premier, suite} ; nil est la liste vide.
local function construit(n)
    local l = nil
    local k = 0
    while k < n do
        l = {k, l}
        k = k + 1
    end
    return l
end

local function total(liste)
    local s = 0
    local r = liste
    while r ~= nil do
        s = s + r[1]
        r = r[2]
    end
    return s
end

local l = construit(2000)
local t = 0
local j = 0
while j < 200 do
    t = total(l)
    j = j + 1
end
print(t)

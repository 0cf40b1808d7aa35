-- Au niveau du fichier : des variables locales, la forme naturelle en Lua.
local i = 0
local s = 0
while i < 1000000 do
    s = s + i
    i = i + 1
end
print(s)

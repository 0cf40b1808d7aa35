# Les mêmes 100 000 segments dans la tortue de Python, tracés sans
# affichage intermédiaire (tracer(0)), l'écran mis à jour une fois à la fin.
import sys
import turtle

n = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
turtle.setup(1000, 1000)
turtle.tracer(0)
turtle.hideturtle()
i = 0
for _ in range(n):
    turtle.forward(i % 400)
    turtle.right(91)
    i = i + 1
turtle.update()

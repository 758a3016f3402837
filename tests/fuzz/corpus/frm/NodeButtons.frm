[Sprite 1]
name = down
rectsx = 0, 0, 28, 23
offsxy = 0, 0

[Sprite 2]
name = up
rectsx = 28, 0, 28, 23
offsxy = 0, 0


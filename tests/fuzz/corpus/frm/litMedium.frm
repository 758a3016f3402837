[Sprite 1]
name = Light
rectsx = 0, 0, 32, 32
offsxy = -16, -16


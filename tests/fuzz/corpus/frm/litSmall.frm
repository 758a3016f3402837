[Sprite 1]
name = Light
rectsx = 0, 0, 16, 16
offsxy = -8, -8


[Sprite 1]
name = Light
rectsx = 0, 0, 64, 64
offsxy = -32, -32


[Sprite 1]
name = Select
rectsx = 0, 0, 80, 80
offsxy = 0, 0


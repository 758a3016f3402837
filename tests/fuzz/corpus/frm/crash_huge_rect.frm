[Sprite 1]
name = a
rectsx = 2147483647, 0, 5, 5

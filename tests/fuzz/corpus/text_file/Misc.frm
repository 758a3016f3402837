[Sprite 1]
name = Bullet
rectsx = 0, 0, 6, 14
offsxy = -3, -7

[Sprite 2]
name = Spark
rectsx = 6, 1, 12, 12
offsxy = -6, -6


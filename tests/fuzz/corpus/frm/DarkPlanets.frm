[Sprite 1]
name = Dark1
rectsx = 0, 0, 48, 48
offsxy = 0, 0

[Sprite 2]
name = Dark2
rectsx = 48, 0, 48, 48
offsxy = 0, 0

[Sprite 3]
name = Dark3
rectsx = 96, 0, 48, 48
offsxy = 0, 0

[Sprite 4]
name = Dark4
rectsx = 144, 0, 48, 48
offsxy = 0, 0

[Sprite 5]
name = Dark5
rectsx = 192, 0, 48, 48
offsxy = 0, 0

[Sprite 6]
name = Dark6
rectsx = 240, 0, 48, 48
offsxy = 0, 0

[Sprite 7]
name = Dark7
rectsx = 288, 0, 48, 48
offsxy = 0, 0

[Sprite 8]
name = Dark8
rectsx = 336, 0, 48, 48
offsxy = 0, 0


[Sprite 1]
name = Velotrix
rectsx = 0, 0, 360, 72
offsxy = 140, 4

[Sprite 2]
name = Save
rectsx = 0, 72, 320, 44
offsxy = 160, 78

[Sprite 3]
name = Load
rectsx = 0, 116, 320, 44
offsxy = 160, 78

[Sprite 4]
name = Options
rectsx = 0, 160, 320, 44
offsxy = 160, 78

[Sprite 5]
name = hiscores
rectsx = 0, 204, 320, 44
offsxy = 160, 78

[Sprite 6]
name = quit
rectsx = 0, 248, 120, 36
offsxy = 260, 420

[Sprite 7]
name = quits
rectsx = 0, 284, 120, 36
offsxy = 260, 420


[Sprite 1]
name = buy_rel
rectsx = 0, 0, 110, 38
offsxy = 160, 314

[Sprite 2]
name = buy_push
rectsx = 0, 38, 110, 38
offsxy = 160, 314

[Sprite 3]
name = sell_rel
rectsx = 110, 0, 110, 38
offsxy = 290, 314

[Sprite 4]
name = sell_push
rectsx = 110, 38, 110, 38
offsxy = 290, 314

[Sprite 5]
name = back_rel
rectsx = 220, 0, 110, 38
offsxy = 470, 314

[Sprite 6]
name = back_push
rectsx = 220, 38, 110, 38
offsxy = 470, 314


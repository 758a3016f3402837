[Sprite 1]
name = newgame_up
rectsx = 0, 0, 240, 36
offsxy = 0, 0

[Sprite 2]
name = newgame_down
rectsx = 240, 0, 240, 36
offsxy = 0, 0

[Sprite 3]
name = loadgame_up
rectsx = 0, 36, 240, 36
offsxy = 0, 46

[Sprite 4]
name = loadgame_down
rectsx = 240, 36, 240, 36
offsxy = 0, 46

[Sprite 5]
name = hiscores_up
rectsx = 0, 72, 240, 36
offsxy = 0, 92

[Sprite 6]
name = hiscores_down
rectsx = 240, 72, 240, 36
offsxy = 0, 92

[Sprite 7]
name = options_up
rectsx = 0, 108, 240, 36
offsxy = 0, 138

[Sprite 8]
name = options_down
rectsx = 240, 108, 240, 36
offsxy = 0, 138

[Sprite 9]
name = instruction_up
rectsx = 0, 144, 240, 36
offsxy = 0, 184

[Sprite 10]
name = instruction_down
rectsx = 240, 144, 240, 36
offsxy = 0, 184

[Sprite 11]
name = quit_up
rectsx = 0, 180, 240, 36
offsxy = 0, 230

[Sprite 12]
name = quit_down
rectsx = 240, 180, 240, 36
offsxy = 0, 230


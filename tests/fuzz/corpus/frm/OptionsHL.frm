[Sprite 1]
name = mvol
rectsx = 0, 0, 120, 20
offsxy = 320, 153

[Sprite 2]
name = svol
rectsx = 0, 20, 122, 20
offsxy = 320, 198

[Sprite 3]
name = r
rectsx = 0, 40, 22, 22
offsxy = 320, 245

[Sprite 4]
name = reverse
rectsx = 0, 62, 220, 26
offsxy = 84, 243

[Sprite 5]
name = v
rectsx = 0, 88, 22, 22
offsxy = 320, 288

[Sprite 6]
name = vanishing
rectsx = 0, 110, 220, 26
offsxy = 84, 286

[Sprite 7]
name = slow
rectsx = 0, 136, 74, 26
offsxy = 320, 330

[Sprite 8]
name = fast
rectsx = 0, 162, 74, 26
offsxy = 404, 330

[Sprite 9]
name = m0
rectsx = 0, 188, 26, 22
offsxy = 288, 152

[Sprite 10]
name = m100
rectsx = 0, 210, 26, 22
offsxy = 446, 152

[Sprite 11]
name = s0
rectsx = 0, 232, 26, 22
offsxy = 288, 197

[Sprite 12]
name = s100
rectsx = 0, 254, 26, 22
offsxy = 448, 197

[Sprite 13]
name = music
rectsx = 0, 276, 196, 26
offsxy = 84, 150

[Sprite 14]
name = sound
rectsx = 0, 302, 196, 26
offsxy = 84, 195


[Sprite 1]
name = Prev
rectsx = 0, 0, 120, 36
offsxy = 40, 428

[Sprite 2]
name = Next
rectsx = 120, 0, 120, 36
offsxy = 480, 428

[Sprite 3]
name = prev
rectsx = 0, 0, 120, 36
offsxy = 40, 428

[Sprite 4]
name = prevs
rectsx = 0, 36, 120, 36
offsxy = 40, 428

[Sprite 5]
name = next
rectsx = 120, 0, 120, 36
offsxy = 480, 428

[Sprite 6]
name = nexts
rectsx = 120, 36, 120, 36
offsxy = 480, 428


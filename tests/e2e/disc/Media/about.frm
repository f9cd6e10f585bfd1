; The demo's dialog: dragged by its top strip, closed by OK or Esc.
(form ("Name" "Sobre")
      ("Dialog" true)
      ("Origin X" 170) ("Origin Y" 140) ("Width" 300) ("Height" 160)
      ("Drag Rect" (rect 0 0 300 24))
      ("Background Color" (rgb 250 250 240))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Faixa") ("TextRegion" (rect 1 1 298 23))
                 ("Text" " Sobre a demonstra\xe7\xe3o") ("VAlign" 1) ("Bold" true)
                 ("Background Color" (rgb 40 40 110)) ("Foreground Color" (rgb 255 255 255)))
        (control ("Class" "StaticText") ("Name" "Texto") ("TextRegion" (rect 16 40 270 60))
                 ("Text" "Controles desenhados sem imagens, com o cairo."))
        (control ("Class" "Button") ("Name" "OK") ("Hot Spot" (rect 100 115 100 30))
                 ("Text" "OK") ("Action" "close")))))

; The second form of the demo: reached from "Seguinte", it goes back through the
; navigation record.
(form ("Name" "Second")
      ("Background Color" (rgb 200 214 222))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Titulo") ("TextRegion" (rect 20 14 600 30))
                 ("Text" "Segunda tela") ("Font" (font "Arial" 16 "bold")))
        (control ("Class" "Button") ("Name" "GoBack") ("Hot Spot" (rect 20 420 120 30))
                 ("Text" "Voltar"))
        (control ("Class" "Button") ("Name" "GoForward") ("Hot Spot" (rect 150 420 120 30))
                 ("Text" "Avan\xe7ar")))))

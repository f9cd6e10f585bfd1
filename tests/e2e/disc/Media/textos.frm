; The text demo form: a long rich text (fonts, tabs, indents, pictures, boxes, links) in a
; text view, with buttons that page through it and print it. Its links lead to a marker of the text,
; to the second form and to the lists.
(form ("Name" "Textos")
      ("Background Color" (rgb 222 214 200))
      ("TabStopList" (list "Texto" "Anterior" "Proxima"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Titulo") ("TextRegion" (rect 20 10 600 28))
                 ("Text" "Textos") ("Font" (font "Arial" 16 "bold")) ("Foreground Color" (rgb 40 40 110)))
        (control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 20 44 600 360))
                 ("Text" (reference "texto.rtf")) ("Font" (font "Times New Roman" 13 0))
                 ("BoxColor" (rgb 240 232 214)) ("HotSpotColor" (rgb 20 70 160)))
        (control ("Class" "Button") ("Name" "Anterior") ("Hot Spot" (rect 20 420 140 30))
                 ("Text" "P\xe1gina anterior") ("Target Control" "Texto") ("Target Action" "PrevPage"))
        (control ("Class" "Button") ("Name" "Proxima") ("Hot Spot" (rect 170 420 140 30))
                 ("Text" "Pr\xf3xima p\xe1gina") ("Target Control" "Texto") ("Target Action" "NextPage"))
        (control ("Class" "Button") ("Name" "Imprimir") ("Hot Spot" (rect 330 420 130 30))
                 ("Text" "Imprimir") ("Target Control" "Texto") ("Target Action" "Print")
                 ("Target Data" (table ("Title" "O Rio Amazonas") ("Footer" "Textos de teste"))))
        (control ("Class" "Button") ("Name" "GoBack") ("Hot Spot" (rect 490 420 120 30))
                 ("Text" "Voltar")))))

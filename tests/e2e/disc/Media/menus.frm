; The menus of the demo: a menu bar whose items open pop-up menus (with separators, a
; disabled item, an item with an image and a sub-menu), and a menu on the form itself.
; A choice is kept in the menu's "Last Choice".
(form ("Name" "Menus")
      ("Background Color" (rgb 214 222 200))
      ("Control List"
       (list
        (control ("Class" "Menu") ("Name" "Barra") ("Orientation" "horizontal")
                 ("Hot Spot" (rect 0 0 640 26))
                 ("Menu Table"
                  (table ("Items" (list "&Arquivo" "&Se\xe7\xf5es" "A&juda"))
                         ("CascadeTable"
                          (table ("Arquivo" (table ("Items" (list "&Novo" "&Abrir..." "-"
                                                                  (table ("Text" "Sair")
                                                                         ("Key" "r"))))))
                                 ("Se\xe7\xf5es"
                                  (table ("Items"
                                          (list (table ("Text" "&Verbetes") ("Index" 1)
                                                       ("Form Name" "VerbHForm"))
                                                (table ("Text" "A&tlas") ("Index" 2)
                                                       ("Image" "globo.bmp"))
                                                "&Mais"
                                                "-"
                                                (table ("Text" "&Jogo") ("Disabled" true))))
                                         ("Origem" "Barra")
                                         ("CascadeTable"
                                          (table ("Mais" (table ("Items" (list "A&genda"
                                                                              "&Curiosidades"))
                                                                ("Grupo" "Mais")))))))
                                 ("Ajuda" (table ("Items" (list "&\xcdndice" "&Sobre")))))))))
        (control ("Class" "StaticText") ("Name" "Titulo") ("TextRegion" (rect 20 50 600 30))
                 ("Text" "Menus") ("Font" (font "Arial" 16 "bold")))
        (control ("Class" "StaticText") ("Name" "Legenda") ("TextRegion" (rect 20 84 400 40))
                 ("Text" "Alt e a letra sublinhada abrem um menu; as setas andam por ele.")
                 ("Font" (font "Arial" 9)))
        (control ("Class" "Menu") ("Name" "Atalhos") ("Hot Spot" (rect 20 140 160 92))
                 ("Menu Table"
                  (table ("Items" (list "Primeira tela" "Segunda tela" "-" "Mais"))
                         ("CascadeTable" (table ("Mais" (table ("Items" (list "Um" "Dois")))))))))
        (control ("Class" "Button") ("Name" "Voltar") ("Hot Spot" (rect 20 420 120 30))
                 ("Text" "Voltar") ("Target Form" "demo.frm")))))

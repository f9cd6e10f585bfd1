; NomeRoteiroDlg: written by content/tools/telas.py
(form ("Class" "NomeRoteiroDlg") ("Name" "NomeRoteiroDlg") ("Dialog" true)
      ("Background Image" "dlg_nome_roteiro.bmp") ("Origin X" 140) ("Origin Y" 155)
      ("TabStopList" (list "Nome" "Fechar" "Cancelar"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Pergunta") ("TextRegion" (rect 16 46 328 20))
                 ("Text" "Que nome vai ter o novo roteiro?") ("Font" (font "Arial" 11 0)) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "TextField") ("Name" "Nome") ("Hot Spot" (rect 16 72 328 28))
                 ("Font" (font "Arial" 12 0)))
        (control ("Class" "Button") ("Name" "Fechar") ("Hot Spot" (rect 144 126 96 28))
                 ("Image" "bt_ok.bmp") ("PressedImage" "bt_ok_p.bmp"))
        (control ("Class" "Button") ("Name" "Cancelar") ("Hot Spot" (rect 248 126 96 28))
                 ("Image" "bt_cancelar.bmp") ("PressedImage" "bt_cancelar_p.bmp")))))

; VerbetesDlg: written by content/tools/telas.py
(form ("Class" "ListasDlg") ("Name" "VerbetesDlg") ("Dialog" true)
      ("Background Image" "dlg_indice.bmp") ("Origin X" 140) ("Origin Y" 40)
      ("TabStopList" (list "Lista" "Ok" "Fechar"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Legenda") ("TextRegion" (rect 16 44 328 32))
                 ("Text" "Tecle a primeira letra para saltar. Clique duas vezes num verbete para lê-lo.") ("Font" (font "Arial" 10 0)) ("Foreground Color" (rgb 96 99 120)))
        (control ("Class" "LXListBox") ("Name" "Lista") ("Hot Spot" (rect 16 80 328 264))
                 ("Font" (font "Arial" 11 0)) ("Row Height" 20) ("dbID" 0))
        (control ("Class" "Button") ("Name" "Ok") ("Hot Spot" (rect 144 356 96 28))
                 ("Image" "bt_abrir.bmp") ("PressedImage" "bt_abrir_p.bmp"))
        (control ("Class" "Button") ("Name" "Fechar") ("Hot Spot" (rect 248 356 96 28))
                 ("Image" "bt_fechar.bmp") ("PressedImage" "bt_fechar_p.bmp")))))

; QuitDlg: written by content/tools/telas.py
(form ("Class" "QuitDlg") ("Name" "QuitDlg") ("Dialog" true)
      ("Background Image" "dlg_sair.bmp") ("Origin X" 140) ("Origin Y" 165)
      ("TabStopList" (list "OKButton" "CancelButton"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Pergunta") ("TextRegion" (rect 16 52 328 40))
                 ("Text" "Deseja mesmo sair do Zazuzadov Lumbra 98?") ("Font" (font "Arial" 12 0)) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "Button") ("Name" "OKButton") ("Hot Spot" (rect 72 106 96 28))
                 ("Image" "bt_sim.bmp") ("PressedImage" "bt_sim_p.bmp"))
        (control ("Class" "Button") ("Name" "CancelButton") ("Hot Spot" (rect 192 106 96 28))
                 ("Image" "bt_nao.bmp") ("PressedImage" "bt_nao_p.bmp")))))

; HistoryDlg: written by content/tools/telas.py
(form ("Class" "HistoryDlg") ("Name" "HistoryDlg") ("Dialog" true)
      ("Background Image" "dlg_historico.bmp") ("Origin X" 120) ("Origin Y" 80)
      ("TabStopList" (list "History List" "OKButton" "Fechar"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Legenda") ("TextRegion" (rect 16 44 368 20))
                 ("Text" "Clique numa tela para voltar a ela.") ("Font" (font "Arial" 10 0)) ("Foreground Color" (rgb 96 99 120)))
        (control ("Class" "ListBox") ("Name" "History List") ("Hot Spot" (rect 16 66 368 202))
                 ("Font" (font "Arial" 11 0)) ("Row Height" 20))
        (control ("Class" "Button") ("Name" "OKButton") ("Hot Spot" (rect 184 280 96 28))
                 ("Image" "bt_ok.bmp") ("PressedImage" "bt_ok_p.bmp"))
        (control ("Class" "Button") ("Name" "Fechar") ("Hot Spot" (rect 288 280 96 28))
                 ("Image" "bt_fechar.bmp") ("PressedImage" "bt_fechar_p.bmp")))))

; SobreDlg: written by content/tools/telas.py
(form ("Class" "SobreDlg") ("Name" "SobreDlg") ("Dialog" true)
      ("Background Image" "dlg_sobre.bmp") ("Origin X" 110) ("Origin Y" 100)
      ("TabStopList" (list "Fechar"))
      ("Control List"
       (list
        (control ("Class" "StaticText") ("Name" "Nome") ("TextRegion" (rect 24 52 372 28))
                 ("Text" "Zazuzadov Lumbra 98") ("Font" (font "Arial" 18 "bold")) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "StaticText") ("Name" "Versao") ("TextRegion" (rect 24 84 372 20))
                 ("Text" "Versão 1.0 — disco de demonstração") ("Font" (font "Arial" 11 0)) ("Foreground Color" (rgb 96 99 120)))
        (control ("Class" "StaticText") ("Name" "Texto") ("TextRegion" (rect 24 116 372 96))
                 ("Text" "Um almanaque multimídia do mundo e do Brasil: verbetes, mídias, atlas, banco de dados, linha do tempo, agenda, curiosidades e jogo. Os textos deste disco foram escritos pela equipe; as fontes dos dados estão nos créditos.") ("Font" (font "Arial" 11 0)) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "Button") ("Name" "Fechar") ("Hot Spot" (rect 162 236 96 28))
                 ("Image" "bt_fechar.bmp") ("PressedImage" "bt_fechar_p.bmp") ("Action" "close")))))

; CreditsForm: written by content/tools/telas.py
(form ("Class" "CreditsForm") ("Name" "CreditsForm")
      ("Background Image" "fundo_creditos.bmp") ("FadeTime" (reference "ScreenFadeTime"))
      ("Control List"
       (list
        (control ("Class" "Button") ("Name" "GoBack") ("Hot Spot" (rect 16 3 58 34))
                 ("Image" "bt_voltar_principal.bmp") ("PressedImage" "bt_voltar_principal_p.bmp") ("Help" "Volta à tela anterior"))
        (control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 32 104 576 352))
                 ("Text" (reference "creditos.rtf")) ("Font" (font "Times New Roman" 12 0))))))

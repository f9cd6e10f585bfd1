; Jogo0: written by content/tools/telas.py
(form ("Class" "JogoForm") ("Name" "Jogo0")
      ("Background Image" "fundo_jogo.bmp") ("FadeTime" (reference "ScreenFadeTime"))
      ("Control List"
       (list
        (control ("Class" "Button") ("Name" "GoBack") ("Hot Spot" (rect 16 3 58 34))
                 ("Image" "bt_voltar_jogo.bmp") ("PressedImage" "bt_voltar_jogo_p.bmp") ("Help" "Volta à tela anterior"))
        (control ("Class" "StaticText") ("Name" "Subtitulo") ("TextRegion" (rect 40 116 560 28))
                 ("Text" "Teste seus conhecimentos") ("Font" (font "Arial" 16 "bold")) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "StaticText") ("Name" "Texto") ("TextRegion" (rect 40 156 560 120))
                 ("Text" "Responda a perguntas sobre todos os assuntos do almanaque, escolha o nível de dificuldade e tente bater o seu recorde.") ("Font" (font "Arial" 12 0)) ("Foreground Color" (rgb 43 45 66)))
        (control ("Class" "StaticText") ("Name" "EmBreve") ("TextRegion" (rect 40 420 560 32))
                 ("Text" "Esta seção está sendo preparada para a próxima edição do disco de demonstração.") ("Font" (font "Arial" 10 0)) ("Foreground Color" (rgb 96 99 120))))))

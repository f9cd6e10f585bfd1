; PopUpMenu1: written by content/tools/telas.py
(form ("Class" "PopUpMenu1") ("Name" "PopUpMenu1") ("Dialog" true)
      ("Font" (font "Arial" 12 0)) ("Background Color" (rgb 251 248 241))
      ("Foreground Color" (rgb 43 45 66)) ("Highlight Color" (rgb 43 45 66))
      ("Highlight Text Color" (rgb 244 227 178)))

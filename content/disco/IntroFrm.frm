; IntroForm: written by content/tools/telas.py
(form ("Class" "IntroForm") ("Name" "IntroForm") ("Include In History" false)
      ("Background Image" "abertura.bmp") ("Duration" 6000))

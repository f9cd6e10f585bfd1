; IntroForm: written by content/tools/telas.py
(form ("Class" "IntroForm") ("Name" "IntroForm") ("Include In History" false)
      ("Background Image" "abertura.bmp") ("Music" "abertura.mid") ("Duration" 7000))

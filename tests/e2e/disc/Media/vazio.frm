; A screen with nothing on it: the black media area, for tests of the program as a process.
(form ("Name" "Vazio") ("Background Color" 0))

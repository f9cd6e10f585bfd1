#!/usr/bin/env python3
# Writes Media/texto.rtf, the rich text of the text demo form, from the readable source
# below: characters outside ASCII become \'hh escapes of code page 1252.
import pathlib

SOURCE = r"""{\pard\qc\fs40\b O Rio Amazonas\b0\par
\fs24\i O maior rio do planeta em volume de \'e1gua\i0\par
\pard\par
{\img globo.bmp\} O Amazonas nasce nos Andes peruanos, atravessa o Peru, a Col\'f4mbia e o Brasil e des\'e1gua no oceano Atl\'e2ntico, no Par\'e1. Sua bacia, a maior do mundo, cobre cerca de sete milh\'f5es de quil\'f4metros quadrados, boa parte deles coberta de {\strike floresta} tropical. Os n\'fameros principais est\'e3o {\uldb na tabela abaixo}!\{#numeros\}.\par
\par
\pard\box1{\b Voc\'ea sabia?}\par
Em Manaus, as \'e1guas escuras do rio Negro correm lado a lado com as \'e1guas barrentas do Solim\~{o}es por v\'e1rios quil\'f4metros antes de se misturarem. O fen\'f4meno \'e9 chamado de Encontro das \'c1guas.\par
\pard\par
{\uldb marker}!\{numeros\}{\b Em n\'fameros}\par
\pard\li300\tqr\tx6000 Comprimento\tab cerca de 6.400 km\par
\tqr\tx6000 \'c1rea da bacia\tab cerca de 7.000.000 km\'b2\par
\tqr\tx6000 Vaz\'e3o na foz\tab cerca de 209.000 m\'b3/s\par
\tqr\tx6000 Pa\'edses da bacia\tab 7\par
\pard\par
{\b Os principais afluentes}\par
\pard\fi-240\li480\bullet  pela margem esquerda: Negro, Japur\'e1, Trombetas e Jari;\par
\bullet  pela margem direita: Madeira, Purus, Juru\'e1, Tapaj\'f3s e Xingu.\par
\pard\par
\pard\qc{\uldb {\img photo.bmp\}}!\{second.frm\}\par
{\i Clique na imagem para abrir a segunda tela.}\par
\pard\page
{\b\fs28 A descoberta pelos europeus}\par
\pard\fi360 Em 1542, a expedi\'e7\'e3o de Francisco de Orellana desceu o rio desde os Andes at\'e9 a foz, numa viagem de quase oito meses. O relato do frei Gaspar de Carvajal, que acompanhou a viagem, fala de mulheres guerreiras que lembraram aos espanh\'f3is as amazonas da mitologia grega, e foi assim que o rio ganhou o nome.\par
Durante os s\'e9culos seguintes, portugueses e espanh\'f3is disputaram a regi\'e3o. O Tratado de Madri, de 1750, reconheceu a posse portuguesa de grande parte da bacia, com base no princ\'edpio de que a terra pertence a quem a ocupa.\par
\pard\par
{\b\fs28 A vida no rio}\par
\pard\fi360 O rio \'e9 a estrada da Amaz\'f4nia. Barcos de passageiros levam dias entre Bel\'e9m e Manaus, e as comunidades ribeirinhas vivem do ritmo das cheias: na esta\'e7\'e3o das chuvas, o n\'edvel da \'e1gua pode subir mais de dez metros, e a floresta alagada, chamada igap\'f3, vira caminho para canoas e peixes.\par
Entre os peixes, o pirarucu, que pode passar de dois metros, e o tambaqui, que se alimenta de frutos ca\'eddos na \'e1gua, s\'e3o os mais conhecidos. O boto-cor-de-rosa, um golfinho de \'e1gua doce, \'e9 personagem de muitas lendas da regi\'e3o.\par
\pard\par
\pard\box2{\b Para saber mais}\par
{\uldb Listas e tabelas}!\{lists.frm\} \endash  uma tela com listas, campos e tabelas.\par
{\uldb Voltar ao in\'edcio do texto}!\{#topo\}\par
\pard\par
\pard\qr{\i Texto de demonstra\'e7\'e3o \emdash  Zazuzadov Lumbra 98}\par
}"""

# \~{o} above is a reminder for the writer; RTF has no such escape, so it becomes \'f5.
text = SOURCE.replace(r"\~{o}", r"\'f5")
text = "{\\uldb marker}!\\{topo\\}" + text
pathlib.Path(__file__).with_name("Media").joinpath("texto.rtf").write_bytes(
    text.encode("ascii"))

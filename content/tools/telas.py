#!/usr/bin/env python3
"""Writes the almanac's screens (content/disco/*.frm) from the tables below.

The screens share one frame: the menu bar along the top, the title band painted into
each section's background by lxdisc, and the content panel. Run it again after changing
this file; the .frm files it writes are committed with it.
"""
from pathlib import Path

DISCO = Path(__file__).resolve().parent.parent / "disco"
INK = "(rgb 43 45 66)"
SOFT = "(rgb 96 99 120)"

# The menu bar: control name, picture name, rollover help.
BAR = [
    ("MainHome", "inicio", "Volta à tela inicial"),
    ("Zazuzadov", "secoes", "Abre o menu das seções"),
    ("Busca", "busca", "Procura palavras em todo o disco"),
    ("Marcador", "marcador", "Seus verbetes marcados e roteiros"),
    ("GoBack", "voltar", "Volta à tela anterior"),
    ("Historico", "historico", "As telas que você visitou"),
    ("Internet", "internet", "Abre o navegador de Internet"),
    ("Ajuda", "ajuda", "Ajuda, créditos e preferências"),
    ("Minimizar", "minimizar", "Minimiza a janela"),
    ("Sair", "sair", "Encerra o programa"),
]


def q(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def bar_button(name, picture, section, help_text, x):
    return (f'(control ("Class" "Button") ("Name" {q(name)}) ("Hot Spot" (rect {x} 3 58 34))\n'
            f'                 ("Image" "bt_{picture}_{section}.bmp")'
            f' ("PressedImage" "bt_{picture}_{section}_p.bmp") ("Help" {q(help_text)}))')


def bar(section):
    return [bar_button(name, picture, section, help_text, 16 + i * 61)
            for i, (name, picture, help_text) in enumerate(BAR)]


def back_button(section):
    """The way back alone, for screens without the menu bar."""
    return bar_button("GoBack", "voltar", section, "Volta à tela anterior", 16)


def text(name, x, y, w, h, body, size=12, bold=False, colour=INK):
    style = '"bold"' if bold else "0"
    return (f'(control ("Class" "StaticText") ("Name" {q(name)}) ("TextRegion" (rect {x} {y} {w} {h}))\n'
            f'                 ("Text" {q(body)}) ("Font" (font "Arial" {size} {style}))'
            f' ("Foreground Color" {colour}))')


def form(name, klass, background, controls, extra=""):
    body = "\n        ".join(controls)
    # Screens fade over the global "FadeTime" when one replaces another.
    return (f'; {name}: written by content/tools/telas.py\n'
            f'(form ("Class" {q(klass)}) ("Name" {q(name)})\n'
            f'      ("Background Image" {q(background)}) ("FadeTime" (reference "ScreenFadeTime")){extra}\n'
            f'      ("Control List"\n       (list\n        {body})))\n')


def write(file, text_):
    (DISCO / file).write_text(text_, encoding="utf-8")


LATER = "Esta seção está sendo preparada para a próxima edição do disco de demonstração."

# Section homes: form name, class, file, section picture id, heading, text, ready now.
HOMES = [
    ("JMidiaHForm", "JMidiaHForm", "JMidiaHF", "midias", "Figuras, gráficos e mapas",
     "Ilustrações, gráficos, bandeiras e mapas do disco, reunidos por assunto. Cada mídia "
     "tem uma legenda e, quando existe, uma ligação para o verbete que fala dela.", False),
    ("AtlasHForm", "AtlasHForm", "AtlasHF", "atlas", "O mundo em mapas",
     "Mapas de localização e fichas dos países: capital, língua, moeda e o lugar de cada "
     "um no mundo. Escolha um continente e, depois, o país.", False),
    ("BDadosHForm", "BDadosHForm", "BDadosHF", "bdados", "Países e estados em números",
     "Compare países e estados brasileiros por área, população e outros dados. Monte uma "
     "pesquisa, ordene o resultado e veja a ficha de cada lugar.", False),
    ("LinhaTempoForm", "LinhaTempoForm", "LTempoHF", "ltempo", "Uma viagem pela história",
     "Dos primeiros povos aos dias de hoje, os acontecimentos que mudaram o mundo e o "
     "Brasil, era por era.", False),
    ("RetrospectivaHF", "RetrospectivaHF", "RetroHF", "retro", "O ano que passou",
     "Os fatos que marcaram o ano, mês a mês: política, ciência, cultura e esporte no "
     "Brasil e no mundo.", False),
    ("AgenDiaForm", "AgenDiaForm", "AGDForm", "agenda", "Sua agenda",
     "Anote seus compromissos e veja, em cada dia, os feriados e as datas históricas.",
     False),
    ("AgenMesForm", "AgenMesForm", "AGMForm", "agenda", "Sua agenda do mês",
     "Todos os dias do mês numa só tela, com os feriados e os seus compromissos.", False),
    ("CurioHForm", "CurioHForm", "CurioHF", "curio", "Você sabia?",
     "Fatos surpreendentes sobre a natureza, a ciência e a história, para ler de uma vez "
     "ou um por dia.", False),
    ("Jogo0", "JogoForm", "Jogo00", "jogo", "Teste seus conhecimentos",
     "Responda a perguntas sobre todos os assuntos do almanaque, escolha o nível de "
     "dificuldade e tente bater o seu recorde.", False),
]

MAIN_TILES = [
    ("Verbetes", "verbetes", "Textos sobre todos os assuntos"),
    ("Midias", "midias", "Figuras, gráficos e mapas"),
    ("Atlas", "atlas", "Os países do mundo"),
    ("BancoDeDados", "bdados", "Países e estados em números"),
    ("LinhaDoTempo", "ltempo", "Os fatos da história"),
    ("Retrospectiva", "retro", "O ano que passou"),
    ("Agenda", "agenda", "Compromissos e datas"),
    ("Curiosidades", "curio", "Você sabia?"),
    ("Jogo", "jogo", "Perguntas e respostas"),
]


def main_form():
    controls = bar("principal")
    for i, (name, picture, help_text) in enumerate(MAIN_TILES):
        x, y = 28 + (i % 3) * 200, 106 + (i // 3) * 108
        controls.append(
            f'(control ("Class" "Button") ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} 184 100))\n'
            f'                 ("Image" "tile_{picture}.bmp") ("PressedImage" "tile_{picture}_p.bmp")'
            f' ("Help" {q(help_text)}))')
    controls.append(text("Dica", 32, 434, 576, 20,
                         "Escolha uma seção, ou use o botão Seções a qualquer momento.",
                         10, False, SOFT))
    write("MainForm.frm", form("MainForm", "MainForm", "fundo_principal.bmp", controls,
                               '\n      ("TabStopList" (list ' +
                               " ".join(q(t[0]) for t in MAIN_TILES) + "))"))


def homes():
    for name, klass, file, picture, heading, body, ready in HOMES:
        # The quiz's screens have no menu bar of their own: only the way back.
        controls = bar(picture) if klass != "JogoForm" else [back_button(picture)]
        controls.append(text("Subtitulo", 40, 116, 560, 28, heading, 16, True))
        controls.append(text("Texto", 40, 156, 560, 120, body, 12))
        if not ready:
            controls.append(text("EmBreve", 40, 420, 560, 32, LATER, 10, False, SOFT))
        write(file + ".frm", form(name, klass, f"fundo_{picture}.bmp", controls))


# The entry viewer's lists: number, name in the title band, colour of that name. The
# categories come from content/categorias.txt; 6, 7 and 8 are the whole list, an
# itinerary and a search's results. Each has its own background (painted by lxdisc as
# fundo_verbete_catN.bmp).
ENTRY_LISTS = [
    (0, "História", "(rgb 246 222 196)"),
    (1, "Geografia", "(rgb 200 240 228)"),
    (2, "Ciências", "(rgb 228 214 246)"),
    (3, "Artes", "(rgb 250 212 212)"),
    (4, "Esportes", "(rgb 208 240 210)"),
    (5, "Personalidades", "(rgb 250 230 190)"),
    (6, "Verbetes", "(rgb 214 226 250)"),
    (7, "Roteiros", "(rgb 200 238 238)"),
    (8, "Busca", "(rgb 222 228 236)"),
    (9, "Brasil", "(rgb 250 240 170)"),
]
PANEL = "(rgb 251 248 241)"


def title_band(section_name=""):
    """The category label and the item's name in the title band."""
    return [
        f'(control ("Class" "StaticText") ("Name" "SCategName") ("TextRegion" (rect 56 52 144 32))\n'
        f'                 ("Text" {q(section_name)}) ("Font" (font "Arial" 11 "bold"))'
        f' ("Foreground Color" (rgb 214 226 250)) ("VAlign" 1))',
        '(control ("Class" "StaticText") ("Name" "ItemName") ("TextRegion" (rect 216 50 396 36))\n'
        '                 ("Text" "") ("Font" (font "Arial" 16 "bold")) ("Foreground Color" (rgb 255 255 255))'
        ' ("VAlign" 1))',
    ]


def text_view(name, x, y, w, h, font='(font "Times New Roman" 12 0)', extra=""):
    return (f'(control ("Class" "TextView") ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} {w} {h}))\n'
            f'                 ("Font" {font}) ("HotSpotColor" (rgb 31 58 147))'
            f' ("BackgroundColor" {PANEL}){extra})')


def notice(name, body):
    """A notice shown over the text while a copy or a print runs."""
    return (f'(control ("Class" "StaticText") ("Name" {q(name)}) ("TextRegion" (rect 200 212 240 56))\n'
            f'                 ("Text" {q(body)}) ("Font" (font "Arial" 14 "bold")) ("Align" 1) ("VAlign" 1)'
            f' ("Foreground Color" (rgb 255 255 255)) ("Background Color" (rgb 31 58 147)) ("Hidden" true))')


PRINT_ATTRIBUTES = ('\n      ("PrintAttributes" (table ("TitleFont" (font "Arial" 16 "bold"))'
                    ' ("Footer" "Zazuzadov Lumbra 98 - Verbetes") ("LeftIdent" 0) ("RightIdent" 0)))')


def entry_viewer():
    controls = bar("verbetes") + title_band()
    controls.append(text_view("Texto", 32, 104, 576, 286))
    controls.append(text_view("VejaTambém", 32, 394, 576, 30, '(font "Arial" 10 0)',
                              ' ("SometimesShowScroll" true)'))
    controls.append(picture_button("Previous", "anterior", 32, 428, ' ("Help" "Verbete anterior")'))
    controls.append(picture_button("Next", "proximo", 136, 428, ' ("Help" "Próximo verbete")'))
    controls.append(picture_button("Copiar", "copiar", 408, 428,
                                   ' ("Help" "Copia o verbete para a área de transferência")'))
    controls.append(picture_button("Imprimir", "imprimir", 512, 428, ' ("Help" "Imprime o verbete")'))
    controls.append(notice("Copiando", "Copiando..."))
    controls.append(notice("Imprimindo", "Imprimindo..."))
    themes = "".join(f'\n      ("Cat{n} BkImage" "fundo_verbete_cat{n}.bmp") ("Cat{n} TxColor" {colour})'
                     for n, _, colour in ENTRY_LISTS)
    names = {n: name for n, name, _ in ENTRY_LISTS}
    categories = " ".join(q(names.get(n, "")) for n in range(max(names) + 1))
    write("VrbtForm.frm", form("VerbeteForm", "VerbeteForm", "fundo_verbete_cat6.bmp", controls,
                               '\n      ("TabStopList" (list "Texto" "Previous" "Next" "Copiar" "Imprimir"))'
                               + themes + f'\n      ("MCategs" (list {categories}))' + PRINT_ATTRIBUTES))


# The first viewers of media and atlas items: the item's picture and text.
ITEM_VIEWERS = [
    ("MidiasForm", "MidiForm", "midias", "Mídias"),
    ("AtlasForm", "AtlasFrm", "atlas", "Atlas"),
]


def item_viewers():
    for name, file, section, label in ITEM_VIEWERS:
        controls = bar(section) + title_band(label)
        controls.append(text_view("Texto", 32, 104, 576, 350))
        write(file + ".frm", form(name, name, f"fundo_visor_{section}.bmp", controls,
                                  '\n      ("TabStopList" (list "Texto"))'))


def tile_button(name, picture, x, y, help_text):
    return (f'(control ("Class" "Button") ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} 184 100))\n'
            f'                 ("Image" "tile_{picture}.bmp") ("PressedImage" "tile_{picture}_p.bmp")'
            f' ("Help" {q(help_text)}))')


def entries_home():
    """The entries home: the index, the itineraries and the highlights menu."""
    controls = bar("verbetes")
    controls.append(text("Subtitulo", 40, 108, 560, 28, "Bem-vindo aos verbetes", 16, True))
    controls.append(text("Texto", 40, 140, 560, 64,
                         "Os verbetes são o coração do almanaque: textos curtos e claros sobre "
                         "história, geografia, ciências, artes, esportes, personalidades e o "
                         "Brasil. Clique numa palavra destacada de um verbete para seguir a "
                         "ligação.", 11))
    controls.append(tile_button("Indice", "indice", 40, 216, "Todos os verbetes, de A a Z"))
    controls.append(tile_button("Roteiros", "roteiros", 228, 216, "Seus roteiros de leitura"))
    controls.append(tile_button("PopUpX", "destaques", 416, 216, "Uma seleção de verbetes"))
    for x, key, title, body in (
            (40, "Indice", "Índice",
             "Todos os verbetes em ordem alfabética. Tecle uma letra para saltar."),
            (228, "Roteiros", "Roteiros", "Listas de verbetes que você monta no menu do "
                                          "Marcador ou guarda a partir de uma busca."),
            (416, "Destaques", "Destaques", "Uma seleção de verbetes para começar a explorar.")):
        controls.append(text("Sobre" + key, x, 324, 184, 18, title, 11, True))
        controls.append(text("Dica" + key, x, 344, 184, 72, body, 10, False, SOFT))
    write("VerbHF.frm", form("VerbHForm", "VerbHForm", "fundo_verbetes.bmp", controls,
                             '\n      ("SectionMenu" "VerbetesDestaques") ("SectionNameX" 416)'
                             ' ("SectionNameY" 236)\n      ("SectionName Image" "menu_destaques.bmp")'
                             '\n      ("TabStopList" (list "Indice" "Roteiros" "PopUpX"))'))


def list_box(name, x, y, w, h, klass="ListBox", extra=""):
    return (f'(control ("Class" {q(klass)}) ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} {w} {h}))\n'
            f'                 ("Font" (font "Arial" 11 0)) ("Row Height" 20){extra})')


def wide_button(name, picture, x, y, help_text):
    return (f'(control ("Class" "Button") ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} 114 28))\n'
            f'                 ("Image" "bt_{picture}.bmp") ("PressedImage" "bt_{picture}_p.bmp")'
            f' ("DisabledImage" "bt_{picture}_d.bmp") ("Help" {q(help_text)}))')


def entries_dialogs():
    """The index of the entries and the itinerary dialogs."""
    dialog("VerbetesDlg", "ListasDlg", "VerbList", "dlg_indice.bmp", 360, 400, [
        text("Legenda", 16, 44, 328, 32,
             "Tecle a primeira letra para saltar. Clique duas vezes num verbete para lê-lo.",
             10, False, SOFT),
        list_box("Lista", 16, 80, 328, 264, "LXListBox", ' ("dbID" 0)'),
        picture_button("Ok", "abrir", 144, 356),
        picture_button("Fechar", "fechar", 248, 356),
    ], '\n      ("TabStopList" (list "Lista" "Ok" "Fechar"))')
    dialog("VBCRDialog", "VBCRDialog", "VBCRDlg", "dlg_roteiros.bmp", 520, 380, [
        text("Aviso", 16, 44, 488, 34, "", 10, False, SOFT),
        text("TituloRoteiros", 16, 82, 236, 18, "Seus roteiros", 10, True),
        text("TituloVerbetes", 268, 82, 236, 18, "Verbetes do roteiro", 10, True),
        list_box("Roteiros", 16, 102, 236, 200),
        list_box("Verbetes", 268, 102, 236, 200),
        wide_button("Incluir Roteiro", "incluir_roteiro", 16, 308, "Cria um roteiro novo"),
        wide_button("Excluir Roteiro", "excluir_roteiro", 138, 308, "Apaga o roteiro escolhido"),
        wide_button("Incluir Verbete", "incluir_verbete", 268, 308,
                    "Põe o verbete atual no roteiro"),
        wide_button("Excluir Verbete", "excluir_verbete", 390, 308,
                    "Tira do roteiro o verbete escolhido"),
        picture_button("Ok", "ok", 304, 344),
        picture_button("Cancelar", "cancelar", 408, 344),
    ], '\n      ("TabStopList" (list "Roteiros" "Verbetes" "Incluir Roteiro" "Incluir Verbete"'
       ' "Ok" "Cancelar"))')
    dialog("VBDialogHF", "VBDialogHF", "VBDlgHF", "dlg_meus_roteiros.bmp", 480, 340, [
        text("Aviso", 16, 42, 448, 34, "Escolha um roteiro e clique duas vezes num verbete.",
             10, False, SOFT),
        text("TituloRoteiros", 16, 78, 176, 18, "Roteiros", 10, True),
        text("TituloVerbetes", 200, 78, 264, 18, "Verbetes", 10, True),
        list_box("Roteiros", 16, 98, 176, 190),
        list_box("VBListBox", 200, 98, 264, 190),
        picture_button("Ok", "abrir", 264, 300),
        picture_button("Fechar", "fechar", 368, 300),
    ], '\n      ("TabStopList" (list "Roteiros" "VBListBox" "Ok" "Fechar"))')
    dialog("NomeRoteiroDlg", "NomeRoteiroDlg", "VBNomRot", "dlg_nome_roteiro.bmp", 360, 170, [
        text("Pergunta", 16, 46, 328, 20, "Que nome vai ter o novo roteiro?", 11),
        '(control ("Class" "TextField") ("Name" "Nome") ("Hot Spot" (rect 16 72 328 28))\n'
        '                 ("Font" (font "Arial" 12 0)))',
        picture_button("Fechar", "ok", 144, 126),
        picture_button("Cancelar", "cancelar", 248, 126),
    ], '\n      ("TabStopList" (list "Nome" "Fechar" "Cancelar"))')


def dialog(name, klass, file, picture, width, height, controls, extra=""):
    x, y = (640 - width) // 2, (480 - height) // 2
    body = "\n        ".join(controls)
    write(file + ".frm",
          f'; {name}: written by content/tools/telas.py\n'
          f'(form ("Class" {q(klass)}) ("Name" {q(name)}) ("Dialog" true)\n'
          f'      ("Background Image" {q(picture)}) ("Origin X" {x}) ("Origin Y" {y}){extra}\n'
          f'      ("Control List"\n       (list\n        {body})))\n')


def picture_button(name, picture, x, y, extra=""):
    return (f'(control ("Class" "Button") ("Name" {q(name)}) ("Hot Spot" (rect {x} {y} 96 28))\n'
            f'                 ("Image" "bt_{picture}.bmp") ("PressedImage" "bt_{picture}_p.bmp"){extra})')


def dialogs():
    dialog("QuitDlg", "QuitDlg", "Quit", "dlg_sair.bmp", 360, 150, [
        text("Pergunta", 16, 52, 328, 40, "Deseja mesmo sair do Zazuzadov Lumbra 98?", 12),
        picture_button("OKButton", "sim", 72, 106),
        picture_button("CancelButton", "nao", 192, 106),
    ], '\n      ("TabStopList" (list "OKButton" "CancelButton"))')
    dialog("HistoryDlg", "HistoryDlg", "HistDlg", "dlg_historico.bmp", 400, 320, [
        text("Legenda", 16, 44, 368, 20, "Clique numa tela para voltar a ela.", 10, False, SOFT),
        '(control ("Class" "ListBox") ("Name" "History List") ("Hot Spot" (rect 16 66 368 202))\n'
        '                 ("Font" (font "Arial" 11 0)) ("Row Height" 20))',
        picture_button("OKButton", "ok", 184, 280),
        picture_button("Fechar", "fechar", 288, 280),
    ], '\n      ("TabStopList" (list "History List" "OKButton" "Fechar"))')
    check = lambda name, y, label: (
        f'(control ("Class" "CheckBox") ("Name" {q(name)}) ("Hot Spot" (rect 24 {y} 352 22))\n'
        f'                 ("Text" {q(label)}) ("Font" (font "Arial" 11 0)))')
    dialog("PrefsDlg", "PrefsDlg", "Prefs", "dlg_preferencias.bmp", 400, 300, [
        check("ShowIntro", 52, "Mostrar a abertura ao iniciar"),
        check("FullVideo", 80, "Tela cheia (janela e vídeos)"),
        check("SoundEffects", 108, "Efeitos sonoros"),
        text("VolumeTitulo", 24, 146, 200, 20, "Volume", 11, True),
        '(control ("Class" "Slider") ("Name" "VolumeSlider") ("Hot Spot" (rect 24 172 300 20))\n'
        '                 ("Min" 0) ("Max" 100) ("Step" 5) ("Page" 10))',
        text("VolumeValue", 336, 170, 40, 22, "75", 11, True),
        picture_button("OKButton", "ok", 184, 256),
        picture_button("CancelButton", "cancelar", 288, 256),
    ], '\n      ("TabStopList" (list "ShowIntro" "FullVideo" "SoundEffects" "VolumeSlider"'
       ' "OKButton" "CancelButton"))')
    dialog("SobreDlg", "SobreDlg", "Sobre", "dlg_sobre.bmp", 420, 280, [
        text("Nome", 24, 52, 372, 28, "Zazuzadov Lumbra 98", 18, True),
        text("Versao", 24, 84, 372, 20, "Versão 1.0 — disco de demonstração", 11, False, SOFT),
        text("Texto", 24, 116, 372, 96,
             "Um almanaque multimídia do mundo e do Brasil: verbetes, mídias, atlas, banco de "
             "dados, linha do tempo, agenda, curiosidades e jogo. Os textos deste disco foram "
             "escritos pela equipe; as fontes dos dados estão nos créditos.", 11),
        picture_button("Fechar", "fechar", 162, 236, ' ("Action" "close")'),
    ], '\n      ("TabStopList" (list "Fechar"))')
    box = lambda name, x, label: (
        f'(control ("Class" "CheckBox") ("Name" {q(name)}) ("Hot Spot" (rect {x} 312 96 22))\n'
        f'                 ("Text" {q(label)}) ("Font" (font "Arial" 10 0)))')
    dialog("BuscaDialog", "BuscaDialog", "Buscadlg", "dlg_busca.bmp", 480, 400, [
        text("Rotulo", 16, 44, 300, 18, "Procurar por:", 10, True),
        '(control ("Class" "TextField") ("Name" "What2Find") ("Hot Spot" (rect 16 64 340 28))\n'
        '                 ("Font" (font "Arial" 12 0)))',
        picture_button("Procurar", "procurar", 368, 64),
        '(control ("Class" "ListBox") ("Name" "ResultsListBox") ("Hot Spot" (rect 16 100 448 170))\n'
        '                 ("Font" (font "Arial" 11 0)) ("Row Height" 20))',
        text("ResultCountText", 16, 278, 330, 20, "", 10, False, SOFT),
        picture_button("AvançadoAbrir", "avancado", 368, 276),
        box("Verbetes", 16, "Verbetes"),
        box("Midias", 116, "Mídias"),
        box("Atlas", 216, "Atlas"),
        box("Todas", 316, "Todas"),
        '(control ("Class" "Button") ("Name" "AvançadoFechar") ("Hot Spot" (rect 420 311 44 24))\n'
        '                 ("Text" "×") ("Help" "Esconde as seções"))',
        picture_button("Ok", "ok", 16, 356),
        picture_button("Limpar", "limpar", 120, 356),
        picture_button("Salvar", "salvar", 224, 356),
        picture_button("Fechar", "fechar", 368, 356),
    ], '\n      ("TabStopList" (list "What2Find" "Procurar" "ResultsListBox" "Ok" "Fechar"))')
    for name, file in (("PopUpMenu", "PopUpMnu"), ("PopUpMenu1", "PUpMnu1")):
        write(file + ".frm",
              f'; {name}: written by content/tools/telas.py\n'
              f'(form ("Class" {q(name)}) ("Name" {q(name)}) ("Dialog" true)\n'
              f'      ("Font" (font "Arial" 12 0)) ("Background Color" (rgb 251 248 241))\n'
              f'      ("Foreground Color" {INK}) ("Highlight Color" (rgb 43 45 66))\n'
              f'      ("Highlight Text Color" (rgb 244 227 178)))\n')


def credits():
    controls = [
        back_button("principal"),
        '(control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 32 104 576 352))\n'
        '                 ("Text" (reference "creditos.rtf")) ("Font" (font "Times New Roman" 12 0)))',
    ]
    write("credform.frm", form("CreditsForm", "CreditsForm", "fundo_creditos.bmp", controls))


def intro():
    write("IntroFrm.frm",
          '; IntroForm: written by content/tools/telas.py\n'
          '(form ("Class" "IntroForm") ("Name" "IntroForm") ("Include In History" false)\n'
          '      ("Background Image" "abertura.bmp") ("Music" "abertura.mid") ("Duration" 7000))\n')


if __name__ == "__main__":
    main_form()
    homes()
    entries_home()
    entries_dialogs()
    entry_viewer()
    item_viewers()
    dialogs()
    credits()
    intro()

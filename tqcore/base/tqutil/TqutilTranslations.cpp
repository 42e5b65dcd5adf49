#include "tqutil/TqutilTranslations.h"

#include "loc/Catalogue.h"

namespace tqutil {
namespace {

// The Edit menu uses the words of the system's own menus in each language.
constexpr loc::CatalogueRow kRows[] = {
    {"tqutil_editmenu_copy", "Copy", "Kopieren", "Copiar", "Copier", "Copiar"},
    {"tqutil_editmenu_cut", "Cut", "Ausschneiden", "Cortar", "Couper", "Recortar"},
    {"tqutil_editmenu_paste", "Paste", "Einsetzen", "Pegar", "Coller", "Colar"},
    {"tqutil_editmenu_select_all", "Select All", "Alles auswählen", "Seleccionar todo",
     "Tout sélectionner", "Selecionar Tudo"},
    {"tqutil_param_leftcmdkey",
     "Specify the mapping of the left Command key: Alt_L, Alt_R, Super_L (Windows key), "
     "Super_R, ExtendedChars (AltGr).",
     "Legt die Zuordnung der linken Befehlstaste fest: Alt_L, Alt_R, Super_L (Windows-Taste), "
     "Super_R, ExtendedChars (AltGr).",
     "Especifica la asignación de la tecla Comando izquierda: Alt_L, Alt_R, Super_L (tecla "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Indique l'affectation de la touche Commande gauche\u00a0: Alt_L, Alt_R, Super_L (touche "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Especifica o mapeamento da tecla Command esquerda: Alt_L, Alt_R, Super_L (tecla Windows), "
     "Super_R, ExtendedChars (AltGr)."},
    {"tqutil_param_leftoptkey",
     "Specify the mapping of the left Option key: Alt_L, Alt_R, Super_L (Windows key), "
     "Super_R, ExtendedChars (AltGr).",
     "Legt die Zuordnung der linken Wahltaste fest: Alt_L, Alt_R, Super_L (Windows-Taste), "
     "Super_R, ExtendedChars (AltGr).",
     "Especifica la asignación de la tecla Opción izquierda: Alt_L, Alt_R, Super_L (tecla "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Indique l'affectation de la touche Option gauche\u00a0: Alt_L, Alt_R, Super_L (touche "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Especifica o mapeamento da tecla Option esquerda: Alt_L, Alt_R, Super_L (tecla Windows), "
     "Super_R, ExtendedChars (AltGr)."},
    {"tqutil_param_rightcmdkey",
     "Specify the mapping of the right Command key: Alt_L, Alt_R, Super_L (Windows key), "
     "Super_R, ExtendedChars (AltGr).",
     "Legt die Zuordnung der rechten Befehlstaste fest: Alt_L, Alt_R, Super_L (Windows-Taste), "
     "Super_R, ExtendedChars (AltGr).",
     "Especifica la asignación de la tecla Comando derecha: Alt_L, Alt_R, Super_L (tecla "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Indique l'affectation de la touche Commande droite\u00a0: Alt_L, Alt_R, Super_L (touche "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Especifica o mapeamento da tecla Command direita: Alt_L, Alt_R, Super_L (tecla Windows), "
     "Super_R, ExtendedChars (AltGr)."},
    {"tqutil_param_rightoptkey",
     "Specify the mapping of the right Option key: Alt_L, Alt_R, Super_L (Windows key), "
     "Super_R, ExtendedChars (AltGr).",
     "Legt die Zuordnung der rechten Wahltaste fest: Alt_L, Alt_R, Super_L (Windows-Taste), "
     "Super_R, ExtendedChars (AltGr).",
     "Especifica la asignación de la tecla Opción derecha: Alt_L, Alt_R, Super_L (tecla "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Indique l'affectation de la touche Option droite\u00a0: Alt_L, Alt_R, Super_L (touche "
     "Windows), Super_R, ExtendedChars (AltGr).",
     "Especifica o mapeamento da tecla Option direita: Alt_L, Alt_R, Super_L (tecla Windows), "
     "Super_R, ExtendedChars (AltGr)."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("tqutil_", kRows, 8, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace tqutil

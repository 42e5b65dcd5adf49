#include "ui/AppMenuBarTranslations.h"

namespace ui {
namespace {

// The items carry the system's own wording in each language; %S is the application's name.
constexpr loc::CatalogueRow kRows[] = {
    {"ui_appmenubar_appmenu_about", "About %S", "Über %S", "Acerca de %S", "À propos de %S",
     "Sobre %S"},
    {"ui_appmenubar_appmenu_hide", "Hide %S", "%S ausblenden", "Ocultar %S", "Masquer %S",
     "Ocultar %S"},
    {"ui_appmenubar_appmenu_hideothers", "Hide Others", "Andere ausblenden", "Ocultar otros",
     "Masquer les autres", "Ocultar Outros"},
    {"ui_appmenubar_appmenu_preferences", "Preferences...", "Einstellungen...", "Preferencias...",
     "Préférences...", "Preferências..."},
    {"ui_appmenubar_appmenu_quit", "Quit %S", "%S beenden", "Salir de %S", "Quitter %S",
     "Encerrar %S"},
    {"ui_appmenubar_appmenu_showall", "Show All", "Alle einblenden", "Mostrar todo",
     "Tout afficher", "Mostrar Tudo"},
    {"ui_appmenubar_editmenu_delete", "Delete", "Löschen", "Eliminar", "Supprimer", "Apagar"},
    {"ui_appmenubar_editmenu_redo", "Redo", "Wiederholen", "Rehacer", "Rétablir", "Refazer"},
    {"ui_appmenubar_editmenu_undo", "Undo", "Widerrufen", "Deshacer", "Annuler", "Desfazer"},
    {"ui_appmenubar_windowmenu_bringalltofront", "Bring All to Front", "Alle nach vorne bringen",
     "Traer todo al frente", "Tout ramener au premier plan", "Trazer Tudo para a Frente"},
    {"ui_appmenubar_windowmenu_close", "Close", "Schließen", "Cerrar", "Fermer", "Fechar"},
    {"ui_appmenubar_windowmenu_minimize", "Minimize", "Im Dock ablegen", "Minimizar",
     "Placer dans le Dock", "Minimizar"},
    {"ui_appmenubar_windowmenu_zoom", "Zoom", "Zoomen", "Zoom", "Réduire/agrandir", "Zoom"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("ui_appmenubar_", kRows, 13, registerTranslations, addAppMenuBarCatalogue,
                     appMenuBarCatalogue)

}  // namespace ui

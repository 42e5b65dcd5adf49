#include "ui/UiTranslations.h"

namespace ui {
namespace {

// Buttons and menus use the words of the system's own in each language. The "&" shortcuts of
// the menu titles differ from one another within each language, as they share one menu bar.
constexpr loc::CatalogueRow kRows[] = {
    {"ui_button_apply", "Apply", "Anwenden", "Aplicar", "Appliquer", "Aplicar"},
    {"ui_button_back", "< Back", "< Zurück", "< Atrás", "< Précédent", "< Voltar"},
    {"ui_button_cancel", "Cancel", "Abbrechen", "Cancelar", "Annuler", "Cancelar"},
    {"ui_button_continue", "Continue", "Fortfahren", "Continuar", "Continuer", "Continuar"},
    {"ui_button_next", "Next >", "Weiter >", "Siguiente >", "Suivant >", "Avançar >"},
    {"ui_button_no", "No", "Nein", "No", "Non", "Não"},
    {"ui_button_ok", "OK", "OK", "Aceptar", "OK", "OK"},
    {"ui_button_open", "Open", "Öffnen", "Abrir", "Ouvrir", "Abrir"},
    {"ui_button_save", "Save", "Speichern", "Guardar", "Enregistrer", "Salvar"},
    {"ui_button_yes", "Yes", "Ja", "Sí", "Oui", "Sim"},
    {"ui_getfileorfolderdialog_all_files_filter", "All Files", "Alle Dateien", "Todos los archivos",
     "Tous les fichiers", "Todos os arquivos"},
    {"ui_getfileorfolderdialog_cannot_copy", "This folder cannot be sent",
     "Dieser Ordner kann nicht gesendet werden", "Esta carpeta no se puede enviar",
     "Ce dossier ne peut pas être envoyé", "Esta pasta não pode ser enviada"},
    {"ui_getfileorfolderdialog_entire_folder", "Use &Entire Folder", "&Gesamten Ordner verwenden",
     "Usar la carpeta &entera", "Utiliser le dossier &entier", "Usar a pasta &inteira"},
    {"ui_getfileorfolderdialog_no_selection", "Please navigate into the folder you want to send.",
     "Bitte öffnen Sie den Ordner, den Sie senden möchten.",
     "Entre en la carpeta que desea enviar.", "Ouvrez le dossier que vous souhaitez envoyer.",
     "Entre na pasta que deseja enviar."},
    {"ui_getfileorfolderdialog_non_filesystem", "Only file-system locations are supported",
     "Es werden nur Orte im Dateisystem unterstützt",
     "Solo se admiten ubicaciones del sistema de archivos",
     "Seuls les emplacements du système de fichiers sont pris en charge",
     "Somente locais do sistema de arquivos são suportados"},
    {"ui_getfileorfolderdialog_send_confirm", "Do you want to send %S?", "Möchten Sie %S senden?",
     "¿Desea enviar %S?", "Voulez-vous envoyer %S\u00a0?", "Deseja enviar %S?"},
    {"ui_menu_about", "&About...", "Ü&ber...", "&Acerca de...", "À &propos...", "&Sobre..."},
    {"ui_menu_edit", "&Edit", "&Bearbeiten", "&Edición", "É&dition", "&Editar"},
    {"ui_menu_file", "&File", "&Datei", "&Archivo", "&Fichier", "&Arquivo"},
    {"ui_menu_help", "&Help", "&Hilfe", "A&yuda", "&Aide", "Aj&uda"},
    {"ui_menu_view", "&View", "&Ansicht", "&Ver", "&Présentation", "&Visualizar"},
    {"ui_menu_window", "&Window", "&Fenster", "Ve&ntana", "Fe&nêtre", "&Janela"},
    {"ui_wfiledialog_cancel", "Cancel", "Abbrechen", "Cancelar", "Annuler", "Cancelar"},
    {"ui_wfiledialog_ok", "OK", "OK", "Aceptar", "OK", "OK"},
    {"ui_wfiledialog_path", "Path:", "Pfad:", "Ruta:", "Chemin\u00a0:", "Caminho:"},
    {"ui_wfiledialog_show_hidden", "Show hidden items", "Ausgeblendete Objekte anzeigen",
     "Mostrar elementos ocultos", "Afficher les éléments masqués", "Mostrar itens ocultos"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("ui_", kRows, 26, registerStrings, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace ui

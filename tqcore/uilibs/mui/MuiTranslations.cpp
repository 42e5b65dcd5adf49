#include "mui/MuiTranslations.h"

namespace mui {
namespace {

// Labels end in a colon, headings and filters do not; French puts a no-break space before the
// colon and the question mark.
constexpr loc::CatalogueRow kRows[] = {
    {"mui_aboutdlg_title_fmt", "%S - About", "%S - Info", "%S - Acerca de", "%S - À propos",
     "%S - Sobre"},
    {"mui_filedlgtx_filter_alldirs", "All directories", "Alle Verzeichnisse",
     "Todos los directorios", "Tous les répertoires", "Todos os diretórios"},
    {"mui_filedlgtx_filter_alldirswithhidden", "All directories, including hidden",
     "Alle Verzeichnisse, auch ausgeblendete", "Todos los directorios, incluidos los ocultos",
     "Tous les répertoires, y compris les répertoires masqués",
     "Todos os diretórios, incluindo os ocultos"},
    {"mui_filedlgtx_filter_allfileswithhidden", "All files, including hidden",
     "Alle Dateien, auch ausgeblendete", "Todos los archivos, incluidos los ocultos",
     "Tous les fichiers, y compris les fichiers masqués",
     "Todos os arquivos, incluindo os ocultos"},
    {"mui_filedlgtx_folder_label", "Folder:", "Ordner:", "Carpeta:", "Dossier\u00a0:", "Pasta:"},
    {"mui_filedlgtx_modified_heading", "Modified", "Geändert", "Modificado", "Modifié",
     "Modificado"},
    {"mui_filedlgtx_name_heading", "Name", "Name", "Nombre", "Nom", "Nome"},
    {"mui_filedlgtx_name_label", "Name:", "Name:", "Nombre:", "Nom\u00a0:", "Nome:"},
    {"mui_filedlgtx_overwrite", "File already exists. Do you wish to overwrite?",
     "Die Datei ist bereits vorhanden. Möchten Sie sie überschreiben?",
     "El archivo ya existe. ¿Desea sobrescribirlo?",
     "Le fichier existe déjà. Voulez-vous le remplacer\u00a0?",
     "O arquivo já existe. Deseja substituí-lo?"},
    {"mui_filedlgtx_place_home", "Home", "Persönlicher Ordner", "Carpeta personal",
     "Dossier personnel", "Pasta pessoal"},
    {"mui_filedlgtx_place_root", "Filesystem root", "Wurzel des Dateisystems",
     "Raíz del sistema de archivos", "Racine du système de fichiers",
     "Raiz do sistema de arquivos"},
    {"mui_filedlgtx_places_heading", "Places", "Orte", "Lugares", "Emplacements", "Locais"},
    {"mui_filedlgtx_show_label", "Show:", "Anzeigen:", "Mostrar:", "Afficher\u00a0:", "Mostrar:"},
    {"mui_filedlgtx_size_heading", "Size", "Größe", "Tamaño", "Taille", "Tamanho"},
    {"mui_filedlgtx_up_btn", "Up", "Nach oben", "Subir", "Remonter", "Para cima"},
    {"mui_filedlgtxwin_filter_allfiles", "All files", "Alle Dateien", "Todos los archivos",
     "Tous les fichiers", "Todos os arquivos"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("mui_", kRows, 16, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace mui

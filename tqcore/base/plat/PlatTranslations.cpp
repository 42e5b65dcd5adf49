#include "plat/PlatTranslations.h"

#include "loc/Catalogue.h"

namespace plat {
namespace {

// French puts a no-break space before a colon and inside guillemets, so that a wrapped help
// line never starts with the punctuation.
constexpr loc::CatalogueRow kRows[] = {
    {"plat_bad_argument", "Bad argument '%S'.", "Ungültiges Argument „%S“.",
     "Argumento no válido: «%S».", "Argument incorrect\u00a0: «\u00a0%S\u00a0».",
     "Argumento inválido: “%S”."},
    {"plat_configuration_global_params", "Global parameters", "Globale Parameter",
     "Parámetros globales", "Paramètres globaux", "Parâmetros globais"},
    {"plat_configuration_help_default", "default", "Standard", "predeterminado", "par défaut",
     "padrão"},
    {"plat_configuration_log_dests_title", "Log destinations:", "Protokollziele:",
     "Destinos de registro:", "Destinations des journaux\u00a0:", "Destinos de log:"},
    {"plat_configuration_log_names_title", "Log names:", "Protokollnamen:", "Nombres de registro:",
     "Noms des journaux\u00a0:", "Nomes de log:"},
    {"plat_configuration_option_usage_only", "Options are parameters.", "Optionen sind Parameter.",
     "Las opciones son parámetros.", "Les options sont des paramètres.",
     "As opções são parâmetros."},
    {"plat_configuration_option_usage_with_extra",
     "Options are parameters, and also the following:",
     "Optionen sind Parameter sowie die folgenden:",
     "Las opciones son parámetros, además de las siguientes:",
     "Les options sont des paramètres, ainsi que les suivantes\u00a0:",
     "As opções são parâmetros e também as seguintes:"},
    {"plat_configuration_param_usage",
     "Parameters can be turned on with -<param> or off with -<param>=0\n"
     "Values can be specified as -<param> <value>\n"
     "Other valid forms are <param>=<value> -<param>=<value> --<param>=<value>\n"
     "Names are case-insensitive.  Valid parameters are listed below.",
     "Parameter werden mit -<param> ein- und mit -<param>=0 ausgeschaltet\n"
     "Werte können als -<param> <Wert> angegeben werden\n"
     "Weitere gültige Formen sind <param>=<Wert> -<param>=<Wert> --<param>=<Wert>\n"
     "Bei Namen wird die Groß-/Kleinschreibung nicht beachtet.  Die gültigen Parameter sind "
     "unten aufgeführt.",
     "Los parámetros se activan con -<param> y se desactivan con -<param>=0\n"
     "Los valores pueden especificarse como -<param> <valor>\n"
     "Otras formas válidas son <param>=<valor> -<param>=<valor> --<param>=<valor>\n"
     "Los nombres no distinguen entre mayúsculas y minúsculas.  Los parámetros válidos se "
     "indican a continuación.",
     "Les paramètres s'activent avec -<param> et se désactivent avec -<param>=0\n"
     "Les valeurs peuvent être indiquées sous la forme -<param> <valeur>\n"
     "Autres formes valides\u00a0: <param>=<valeur> -<param>=<valeur> --<param>=<valeur>\n"
     "Les noms ne sont pas sensibles à la casse.  Les paramètres valides sont répertoriés "
     "ci-dessous.",
     "Os parâmetros podem ser ativados com -<param> ou desativados com -<param>=0\n"
     "Os valores podem ser especificados como -<param> <valor>\n"
     "Outras formas válidas são <param>=<valor> -<param>=<valor> --<param>=<valor>\n"
     "Os nomes não diferenciam maiúsculas de minúsculas.  Os parâmetros válidos estão listados "
     "abaixo."},
    {"plat_missing_argument", "Missing argument to '%S'.", "Fehlendes Argument für „%S“.",
     "Falta el argumento de «%S».", "Argument manquant pour «\u00a0%S\u00a0».",
     "Argumento ausente para “%S”."},
    {"plat_param_log", "Record events in the format <log>:<target>:<level>[,...].",
     "Ereignisse im Format <Protokoll>:<Ziel>:<Stufe>[,...] aufzeichnen.",
     "Registrar los eventos con el formato <registro>:<destino>:<nivel>[,...].",
     "Enregistrer les événements au format <journal>:<destination>:<niveau>[,...].",
     "Registrar os eventos no formato <log>:<destino>:<nível>[,...]."},
    {"plat_param_log_keep_days", "Keep log files for X days.",
     "Protokolldateien X Tage lang aufbewahren.",
     "Conservar los archivos de registro durante X días.",
     "Conserver les fichiers journaux pendant X jours.", "Manter os arquivos de log por X dias."},
    {"plat_param_logdir", "Directory in which to store log output directed to file.",
     "Verzeichnis, in dem die in eine Datei geleitete Protokollausgabe gespeichert wird.",
     "Directorio en el que se guarda la salida de registro dirigida a un archivo.",
     "Répertoire dans lequel enregistrer la sortie des journaux dirigée vers un fichier.",
     "Diretório no qual armazenar a saída de log direcionada para arquivo."},
    {"plat_param_logfile", "File in which to store log output directed to file.",
     "Datei, in der die in eine Datei geleitete Protokollausgabe gespeichert wird.",
     "Archivo en el que se guarda la salida de registro dirigida a un archivo.",
     "Fichier dans lequel enregistrer la sortie des journaux dirigée vers un fichier.",
     "Arquivo no qual armazenar a saída de log direcionada para arquivo."},
    {"plat_press_return_to_continue", "Press Enter/Return key to continue",
     "Drücken Sie die Eingabetaste, um fortzufahren", "Pulse la tecla Intro para continuar",
     "Appuyez sur la touche Entrée pour continuer",
     "Pressione a tecla Enter/Return para continuar"},
    {"plat_run_with_help", "Run with -help for usage.",
     "Mit -help aufrufen, um Hinweise zur Verwendung zu erhalten.",
     "Ejecute con -help para ver las instrucciones de uso.",
     "Exécutez avec -help pour afficher l'aide sur l'utilisation.",
     "Execute com -help para ver as instruções de uso."},
    {"plat_string_too_long", "String too long", "Zeichenfolge zu lang", "Cadena demasiado larga",
     "Chaîne trop longue", "Cadeia de caracteres longa demais"},
    {"plat_this_program_not_directly", "This program is not intended to be run directly.",
     "Dieses Programm ist nicht für den direkten Aufruf vorgesehen.",
     "Este programa no está pensado para ejecutarse directamente.",
     "Ce programme n'est pas conçu pour être exécuté directement.",
     "Este programa não foi feito para ser executado diretamente."},
    {"plat_usage_help", "Provide [advanced] usage information.",
     "[Erweiterte] Hinweise zur Verwendung anzeigen.", "Mostrar información de uso [avanzada].",
     "Afficher l'aide [avancée] sur l'utilisation.", "Fornecer informações de uso [avançadas]."},
    {"plat_usage_label", "Usage:", "Verwendung:", "Uso:", "Utilisation\u00a0:", "Uso:"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("plat_", kRows, 19, registerPlatTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace plat

#include "os/OsTranslations.h"

#include "loc/Catalogue.h"

namespace os {
namespace {

constexpr loc::CatalogueRow kRows[] = {
    {"os_launchprocess_title_fmt", "%1$S - %2$S password required",
     "%1$S - Kennwort für %2$S erforderlich", "%1$S - Se requiere la contraseña de %2$S",
     "%1$S - Mot de passe de %2$S requis", "%1$S - Senha de %2$S necessária"},
    {"os_launchwithpipe_elevate_cancelled", "Elevation cancelled or not supported.",
     "Rechteerhöhung abgebrochen oder nicht unterstützt.",
     "Elevación de privilegios cancelada o no admitida.",
     "Élévation des privilèges annulée ou non prise en charge.",
     "Elevação de privilégios cancelada ou não suportada."},
    {"os_launchwithpipe_elevate_not_admin", "Account not valid for elevation.",
     "Dieses Konto ist für eine Rechteerhöhung nicht zulässig.",
     "La cuenta no es válida para la elevación de privilegios.",
     "Ce compte ne permet pas l'élévation des privilèges.",
     "Conta não válida para elevação de privilégios."},
    {"os_logdestsyslog_facilityparam",
     "Syslog facility under which to record log output directed to syslog.",
     "Syslog-Facility, unter der die an syslog geleitete Protokollausgabe aufgezeichnet wird.",
     "Facility de syslog con la que se registra la salida de registro dirigida a syslog.",
     "Facility syslog sous laquelle enregistrer la sortie des journaux dirigée vers syslog.",
     "Facility do syslog sob a qual registrar a saída de log direcionada ao syslog."},
    {"os_websocket_connection_type", "Direct WebSocket", "Direkter WebSocket", "WebSocket directo",
     "WebSocket direct", "WebSocket direto"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("os_", kRows, 5, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace os

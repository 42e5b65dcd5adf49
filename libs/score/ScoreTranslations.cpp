#include "score/ScoreTranslations.h"

#include "loc/Catalogue.h"

namespace score {
namespace {

constexpr loc::CatalogueRow kRows[] = {
    {"score_connectioninfo_adminuser", "Administrative user", "Benutzer mit Administratorrechten",
     "Usuario administrador", "Utilisateur administrateur", "Usuário administrador"},
    {"score_connectioninfo_anonymoususer", "Anonymous user", "Anonymer Benutzer", "Usuario anónimo",
     "Utilisateur anonyme", "Usuário anônimo"},
    {"score_connectioninfo_guestuser", "QDX guest user", "QDX-Gastbenutzer",
     "Usuario invitado de QDX", "Utilisateur invité QDX", "Usuário convidado do QDX"},
    {"score_connectioninfo_inputonlyuser", "Input-only user", "Benutzer (nur Eingabe)",
     "Usuario de solo entrada", "Utilisateur en saisie seule", "Usuário somente de entrada"},
    {"score_connectioninfo_standarduser", "Standard user", "Standardbenutzer", "Usuario estándar",
     "Utilisateur standard", "Usuário padrão"},
    {"score_connectioninfo_viewonlyuser", "View-only user",
     "Benutzer mit reiner Anzeigeberechtigung", "Usuario de solo visualización",
     "Utilisateur en affichage seul", "Usuário somente de visualização"},
    {"score_mode_service", "Service Mode", "Dienstmodus", "Modo de servicio", "Mode service",
     "Modo de serviço"},
    {"score_mode_user", "User Mode", "Benutzermodus", "Modo de usuario", "Mode utilisateur",
     "Modo de usuário"},
    {"score_mode_virtual", "Virtual Mode", "Virtueller Modus", "Modo virtual", "Mode virtuel",
     "Modo virtual"},
    {"score_param_desktopname", "A name for the desktop to display to connected QDX Viewer users.",
     "Ein Name für den Desktop, der verbundenen QDX-Viewer-Benutzern angezeigt wird.",
     "Nombre del escritorio que se muestra a los usuarios de QDX Viewer conectados.",
     "Nom du bureau à afficher aux utilisateurs de QDX Viewer connectés.",
     "Um nome para a área de trabalho, exibido aos usuários do QDX Viewer conectados."},
    {"score_sfeature_need_admin", "Administrator privileges are required for this operation.",
     "Für diesen Vorgang sind Administratorrechte erforderlich.",
     "Esta operación requiere privilegios de administrador.",
     "Cette opération nécessite des privilèges d'administrateur.",
     "Esta operação requer privilégios de administrador."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("score_", kRows, 11, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace score

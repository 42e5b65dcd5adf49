#include "svr/SvrTranslations.h"

#include "loc/Catalogue.h"

namespace svr {
namespace {

// The authentication rows with "%1$S" take the platform's name ("Mac"). Configuration values
// quoted in parameter descriptions (SystemAuth, AlwaysOn, "<auto>"), the product's registered
// name and the names of outside products (RADIUS, Duo, RSA SecurID®) stay as English has them.
constexpr loc::CatalogueRow kRows[] = {
    {"svr_capture_fail_msg", "Cannot currently show the desktop",
     "Der Desktop kann derzeit nicht angezeigt werden",
     "No se puede mostrar el escritorio en este momento",
     "Impossible d'afficher le bureau pour le moment",
     "No momento, não é possível mostrar a área de trabalho"},
    {"svr_param_accept_cuttext", "Accept clipboard changes from QDX Viewer users.",
     "Zwischenablageänderungen von QDX-Viewer-Benutzern annehmen.",
     "Aceptar los cambios del portapapeles de los usuarios de QDX Viewer.",
     "Accepter les modifications du presse-papiers provenant des utilisateurs de QDX Viewer.",
     "Aceitar as alterações da área de transferência vindas dos usuários do QDX Viewer."},
    {"svr_param_accept_keyevents", "Accept keyboard input from QDX Viewer users.",
     "Tastatureingaben von QDX-Viewer-Benutzern annehmen.",
     "Aceptar la entrada de teclado de los usuarios de QDX Viewer.",
     "Accepter les saisies au clavier des utilisateurs de QDX Viewer.",
     "Aceitar a entrada de teclado dos usuários do QDX Viewer."},
    {"svr_param_accept_pointerevents",
     "Accept mouse and other pointer input from QDX Viewer users.",
     "Maus- und andere Zeigereingaben von QDX-Viewer-Benutzern annehmen.",
     "Aceptar la entrada del ratón y de otros dispositivos señaladores de los usuarios de QDX "
     "Viewer.",
     "Accepter les actions de la souris et des autres dispositifs de pointage des utilisateurs de "
     "QDX Viewer.",
     "Aceitar a entrada do mouse e de outros dispositivos apontadores dos usuários do QDX Viewer."},
    {"svr_param_alwaysshowcursor",
     "Always include the mouse cursor in the desktop image sent to QDX Viewer users.",
     "Den Mauszeiger immer in das Desktopbild einfügen, das an QDX-Viewer-Benutzer gesendet wird.",
     "Incluir siempre el cursor del ratón en la imagen del escritorio que se envía a los usuarios "
     "de QDX Viewer.",
     "Toujours inclure le curseur de la souris dans l'image du bureau envoyée aux utilisateurs de "
     "QDX Viewer.",
     "Sempre incluir o cursor do mouse na imagem da área de trabalho enviada aos usuários do QDX "
     "Viewer."},
    {"svr_param_comparefb",
     "Compare each screen update with the previous one and send only the areas that have changed.",
     "Jede Bildschirmaktualisierung mit der vorherigen vergleichen und nur die geänderten Bereiche "
     "senden.",
     "Comparar cada actualización de pantalla con la anterior y enviar solo las zonas que han "
     "cambiado.",
     "Comparer chaque mise à jour de l'écran avec la précédente et n'envoyer que les zones "
     "modifiées.",
     "Comparar cada atualização de tela com a anterior e enviar somente as áreas que mudaram."},
    {"svr_param_guestauth_perms", "The permissions to grant QDX guest users.",
     "Die Berechtigungen, die QDX-Gastbenutzern gewährt werden.",
     "Los permisos que se conceden a los usuarios invitados de QDX.",
     "Les autorisations accordées aux utilisateurs invités QDX.",
     "As permissões concedidas aos usuários convidados do QDX."},
    {"svr_param_guestauth_pwd",
     "Binary encoding of the password that QDX guest users must supply in order to authenticate to "
     "QDX Server.",
     "Binäre Codierung des Kennworts, das QDX-Gastbenutzer angeben müssen, um sich bei QDX Server "
     "zu authentifizieren.",
     "Codificación binaria de la contraseña que los usuarios invitados de QDX deben proporcionar "
     "para autenticarse en QDX Server.",
     "Encodage binaire du mot de passe que les utilisateurs invités QDX doivent fournir pour "
     "s'authentifier auprès de QDX Server.",
     "Codificação binária da senha que os usuários convidados do QDX devem fornecer para se "
     "autenticar no QDX Server."},
    {"svr_param_hide_osk", "Hide the on-screen keyboard while QDX Viewer users are connected.",
     "Die Bildschirmtastatur ausblenden, während QDX-Viewer-Benutzer verbunden sind.",
     "Ocultar el teclado en pantalla mientras haya usuarios de QDX Viewer conectados.",
     "Masquer le clavier visuel tant que des utilisateurs de QDX Viewer sont connectés.",
     "Ocultar o teclado virtual enquanto houver usuários do QDX Viewer conectados."},
    {"svr_param_ipclientaddresses",
     "Filter for the IP addresses of direct connections: a comma-separated list of addresses or "
     "address ranges, each prefixed by + to accept or - to reject connections from them.",
     "Filter für die IP-Adressen direkter Verbindungen: eine durch Kommas getrennte Liste von "
     "Adressen oder Adressbereichen, jeweils mit vorangestelltem + zum Annehmen oder - zum "
     "Ablehnen der Verbindungen von dort.",
     "Filtro de las direcciones IP de las conexiones directas: una lista separada por comas de "
     "direcciones o intervalos de direcciones, cada uno precedido de + para aceptar o de - para "
     "rechazar sus conexiones.",
     "Filtre des adresses IP des connexions directes\u00a0: liste d'adresses ou de plages "
     "d'adresses séparées par des virgules, chacune précédée de + pour accepter ou de - pour "
     "refuser les connexions qui en proviennent.",
     "Filtro dos endereços IP das conexões diretas: uma lista separada por vírgulas de endereços "
     "ou intervalos de endereços, cada um precedido de + para aceitar ou de - para rejeitar as "
     "conexões vindas deles."},
    {"svr_param_mac_capturemethod", "The method by which QDX Server captures the screen on a Mac.",
     "Die Methode, mit der QDX Server auf einem Mac den Bildschirm erfasst.",
     "El método con el que QDX Server captura la pantalla en un Mac.",
     "La méthode utilisée par QDX Server pour capturer l'écran sur un Mac.",
     "O método usado pelo QDX Server para capturar a tela em um Mac."},
    {"svr_param_mac_keyeventmethod",
     "The method by which QDX Server injects keyboard input from QDX Viewer users on a Mac.",
     "Die Methode, mit der QDX Server auf einem Mac Tastatureingaben von QDX-Viewer-Benutzern "
     "einspeist.",
     "El método con el que QDX Server introduce en un Mac la entrada de teclado de los usuarios de "
     "QDX Viewer.",
     "La méthode utilisée par QDX Server pour injecter sur un Mac les saisies au clavier des "
     "utilisateurs de QDX Viewer.",
     "O método usado pelo QDX Server para injetar em um Mac a entrada de teclado dos usuários do "
     "QDX Viewer."},
    {"svr_param_monitor_mac",
     "The number of the monitor to remote to connected QDX Viewer users, for example 0 for the "
     "primary monitor, or -1 for all monitors.",
     "Die Nummer des Monitors, der an verbundene QDX-Viewer-Benutzer übertragen wird, zum Beispiel "
     "0 für den Hauptmonitor oder -1 für alle Monitore.",
     "El número del monitor que se transmite a los usuarios de QDX Viewer conectados, por ejemplo "
     "0 para el monitor principal o -1 para todos los monitores.",
     "Le numéro de l'écran transmis aux utilisateurs de QDX Viewer connectés, par exemple 0 pour "
     "l'écran principal ou -1 pour tous les écrans.",
     "O número do monitor transmitido aos usuários do QDX Viewer conectados, por exemplo 0 para o "
     "monitor principal ou -1 para todos os monitores."},
    {"svr_param_pollcursortime",
     "The interval, in milliseconds, at which to check the mouse cursor for a change of shape.",
     "Das Intervall in Millisekunden, in dem der Mauszeiger auf eine Formänderung geprüft wird.",
     "El intervalo, en milisegundos, con el que se comprueba si el cursor del ratón ha cambiado de "
     "forma.",
     "L'intervalle, en millisecondes, auquel vérifier si le curseur de la souris a changé de "
     "forme.",
     "O intervalo, em milissegundos, no qual verificar se o cursor do mouse mudou de forma."},
    {"svr_param_pollinterval",
     "The interval, in milliseconds, at which to check the screen for changes.",
     "Das Intervall in Millisekunden, in dem der Bildschirm auf Änderungen geprüft wird.",
     "El intervalo, en milisegundos, con el que se comprueba si la pantalla ha cambiado.",
     "L'intervalle, en millisecondes, auquel vérifier si l'écran a changé.",
     "O intervalo, em milissegundos, no qual verificar se a tela mudou."},
    {"svr_param_qdxauth_pwd",
     "Binary encoding of the password that QDX Viewer users must supply in order to authenticate "
     "to QDX Server.",
     "Binäre Codierung des Kennworts, das QDX-Viewer-Benutzer angeben müssen, um sich bei QDX "
     "Server zu authentifizieren.",
     "Codificación binaria de la contraseña que los usuarios de QDX Viewer deben proporcionar para "
     "autenticarse en QDX Server.",
     "Encodage binaire du mot de passe que les utilisateurs de QDX Viewer doivent fournir pour "
     "s'authentifier auprès de QDX Server.",
     "Codificação binária da senha que os usuários do QDX Viewer devem fornecer para se autenticar "
     "no QDX Server."},
    {"svr_param_qdxauth_pwd_admin", "Binary encoding of password for admin user.",
     "Binäre Codierung des Kennworts für Benutzer mit Administratorrechten.",
     "Codificación binaria de la contraseña del usuario administrador.",
     "Encodage binaire du mot de passe de l'utilisateur administrateur.",
     "Codificação binária da senha do usuário administrador."},
    {"svr_param_qdxauth_pwd_inputonly", "Binary encoding of password for input-only user.",
     "Binäre Codierung des Kennworts für Benutzer mit Nur-Eingabe-Zugriff.",
     "Codificación binaria de la contraseña del usuario de solo entrada.",
     "Encodage binaire du mot de passe de l'utilisateur en saisie seule.",
     "Codificação binária da senha do usuário somente de entrada."},
    {"svr_param_qdxauth_pwd_viewonly", "Binary encoding of password for view-only user.",
     "Binäre Codierung des Kennworts für Benutzer mit reiner Anzeigeberechtigung.",
     "Codificación binaria de la contraseña del usuario de solo visualización.",
     "Encodage binaire du mot de passe de l'utilisateur en affichage seul.",
     "Codificação binária da senha do usuário somente de visualização."},
    {"svr_param_randr",
     "Allow QDX Viewer users to resize the desktop through the RandR extension of the X server.",
     "QDX-Viewer-Benutzern erlauben, die Größe des Desktops über die RandR-Erweiterung des "
     "X-Servers zu ändern.",
     "Permitir que los usuarios de QDX Viewer cambien el tamaño del escritorio mediante la "
     "extensión RandR del servidor X.",
     "Autoriser les utilisateurs de QDX Viewer à redimensionner le bureau au moyen de l'extension "
     "RandR du serveur X.",
     "Permitir que os usuários do QDX Viewer redimensionem a área de trabalho pela extensão RandR "
     "do servidor X."},
    {"svr_param_remapkeys",
     "Map or swap keyboard keys. Specify a comma-separated list of hexadecimal keysyms, prefixed "
     "by 0x and separated by -> (to map) or <> (to swap).",
     "Tastaturtasten zuordnen oder vertauschen. Geben Sie eine durch Kommas getrennte Liste "
     "hexadezimaler Keysyms an, jeweils mit dem Präfix 0x und getrennt durch -> (zuordnen) oder <> "
     "(vertauschen).",
     "Asignar o intercambiar teclas. Especifique una lista separada por comas de keysyms "
     "hexadecimales, con el prefijo 0x y separados por -> (para asignar) o <> (para intercambiar).",
     "Réaffecter ou permuter des touches du clavier. Indiquez une liste de keysyms hexadécimaux "
     "séparés par des virgules, préfixés par 0x et séparés par -> (pour réaffecter) ou <> (pour "
     "permuter).",
     "Mapear ou trocar teclas do teclado. Especifique uma lista separada por vírgulas de keysyms "
     "hexadecimais, com o prefixo 0x e separados por -> (para mapear) ou <> (para trocar)."},
    {"svr_param_sclipboardx11_polltime",
     "The interval, in milliseconds, at which to check the X clipboard for changes.",
     "Das Intervall in Millisekunden, in dem die X-Zwischenablage auf Änderungen geprüft wird.",
     "El intervalo, en milisegundos, con el que se comprueba si el portapapeles de X ha cambiado.",
     "L'intervalle, en millisecondes, auquel vérifier si le presse-papiers X a changé.",
     "O intervalo, em milissegundos, no qual verificar se a área de transferência do X mudou."},
    {"svr_param_sclipboardx11_sendprimary",
     "Send the PRIMARY selection to QDX Viewer users as well as the CLIPBOARD selection.",
     "Neben der Auswahl CLIPBOARD auch die Auswahl PRIMARY an QDX-Viewer-Benutzer senden.",
     "Enviar a los usuarios de QDX Viewer la selección PRIMARY además de la selección CLIPBOARD.",
     "Envoyer aux utilisateurs de QDX Viewer la sélection PRIMARY en plus de la sélection "
     "CLIPBOARD.",
     "Enviar aos usuários do QDX Viewer a seleção PRIMARY além da seleção CLIPBOARD."},
    {"svr_param_sconn_alwaysshared",
     "Treat every incoming connection as shared, whatever the QDX Viewer user asks for.",
     "Jede eingehende Verbindung als gemeinsam genutzt behandeln, unabhängig davon, was der "
     "QDX-Viewer-Benutzer anfordert.",
     "Tratar todas las conexiones entrantes como compartidas, independientemente de lo que "
     "solicite el usuario de QDX Viewer.",
     "Traiter toute connexion entrante comme partagée, quelle que soit la demande de l'utilisateur "
     "de QDX Viewer.",
     "Tratar todas as conexões de entrada como compartilhadas, independentemente do que o usuário "
     "do QDX Viewer solicitar."},
    {"svr_param_sconn_authtimeout",
     "The number of seconds to wait for a connecting QDX Viewer user to authenticate before "
     "closing the connection.",
     "Die Anzahl der Sekunden, die auf die Authentifizierung eines sich verbindenden "
     "QDX-Viewer-Benutzers gewartet wird, bevor die Verbindung getrennt wird.",
     "El número de segundos que se espera a que un usuario de QDX Viewer que se conecta se "
     "autentique antes de cerrar la conexión.",
     "Le nombre de secondes à attendre l'authentification d'un utilisateur de QDX Viewer qui se "
     "connecte avant de fermer la connexion.",
     "O número de segundos a aguardar que um usuário do QDX Viewer que está se conectando se "
     "autentique antes de fechar a conexão."},
    {"svr_param_sconn_conntimeout",
     "The number of seconds to wait for a QDX Viewer that has stopped responding before closing "
     "its connection.",
     "Die Anzahl der Sekunden, die auf einen nicht mehr reagierenden QDX Viewer gewartet wird, "
     "bevor seine Verbindung getrennt wird.",
     "El número de segundos que se espera a un QDX Viewer que ha dejado de responder antes de "
     "cerrar su conexión.",
     "Le nombre de secondes à attendre un QDX Viewer qui ne répond plus avant de fermer sa "
     "connexion.",
     "O número de segundos a aguardar um QDX Viewer que parou de responder antes de fechar sua "
     "conexão."},
    {"svr_param_sconn_disconnectclients",
     "Disconnect the QDX Viewer users already connected when a new non-shared connection is "
     "accepted.",
     "Bereits verbundene QDX-Viewer-Benutzer trennen, wenn eine neue, nicht gemeinsam genutzte "
     "Verbindung angenommen wird.",
     "Desconectar a los usuarios de QDX Viewer ya conectados cuando se acepta una nueva conexión "
     "no compartida.",
     "Déconnecter les utilisateurs de QDX Viewer déjà connectés lorsqu'une nouvelle connexion non "
     "partagée est acceptée.",
     "Desconectar os usuários do QDX Viewer já conectados quando uma nova conexão não "
     "compartilhada for aceita."},
    {"svr_param_sconn_idletimeout",
     "The number of seconds to wait before disconnecting idle QDX Viewer users, or 0 to set no "
     "timeout.",
     "Die Anzahl der Sekunden, nach der inaktive QDX-Viewer-Benutzer getrennt werden, oder 0 für "
     "kein Zeitlimit.",
     "El número de segundos que se espera antes de desconectar a los usuarios de QDX Viewer "
     "inactivos, o 0 para no establecer ningún tiempo de espera.",
     "Le nombre de secondes à attendre avant de déconnecter les utilisateurs de QDX Viewer "
     "inactifs, ou 0 pour ne fixer aucun délai.",
     "O número de segundos a aguardar antes de desconectar os usuários do QDX Viewer inativos, ou "
     "0 para não definir tempo limite."},
    {"svr_param_sconn_nevershared",
     "Never treat an incoming connection as shared, whatever the QDX Viewer user asks for.",
     "Eingehende Verbindungen nie als gemeinsam genutzt behandeln, unabhängig davon, was der "
     "QDX-Viewer-Benutzer anfordert.",
     "No tratar nunca una conexión entrante como compartida, independientemente de lo que solicite "
     "el usuario de QDX Viewer.",
     "Ne jamais traiter une connexion entrante comme partagée, quelle que soit la demande de "
     "l'utilisateur de QDX Viewer.",
     "Nunca tratar uma conexão de entrada como compartilhada, independentemente do que o usuário "
     "do QDX Viewer solicitar."},
    {"svr_param_sconn_serverpreferredencoding",
     "The encoding in which QDX Server prefers to send screen updates, when QDX Viewer supports "
     "it.",
     "Die Codierung, in der QDX Server Bildschirmaktualisierungen bevorzugt sendet, sofern QDX "
     "Viewer sie unterstützt.",
     "La codificación que QDX Server prefiere para enviar las actualizaciones de pantalla, si QDX "
     "Viewer la admite.",
     "L'encodage que QDX Server préfère pour envoyer les mises à jour de l'écran, si QDX Viewer le "
     "prend en charge.",
     "A codificação que o QDX Server prefere para enviar as atualizações de tela, se o QDX Viewer "
     "oferecer suporte a ela."},
    {"svr_param_sdesktopx11_capturemethod",
     "The method by which QDX Server captures the screen of an X server.",
     "Die Methode, mit der QDX Server den Bildschirm eines X-Servers erfasst.",
     "El método con el que QDX Server captura la pantalla de un servidor X.",
     "La méthode utilisée par QDX Server pour capturer l'écran d'un serveur X.",
     "O método usado pelo QDX Server para capturar a tela de um servidor X."},
    {"svr_param_sdisplay_blankscreen",
     "Blank the computer's monitor while QDX Viewer users are connected, so that people at the "
     "computer cannot see their session.",
     "Den Monitor des Computers abdunkeln, während QDX-Viewer-Benutzer verbunden sind, damit "
     "Personen am Computer deren Sitzung nicht sehen können.",
     "Dejar en negro el monitor del equipo mientras haya usuarios de QDX Viewer conectados, para "
     "que las personas que estén ante el equipo no vean su sesión.",
     "Éteindre l'affichage de l'écran de l'ordinateur tant que des utilisateurs de QDX Viewer sont "
     "connectés, afin que les personnes présentes devant l'ordinateur ne voient pas leur session.",
     "Apagar o monitor do computador enquanto houver usuários do QDX Viewer conectados, para que "
     "as pessoas diante do computador não vejam a sessão deles."},
    {"svr_param_sdisplay_disable_aero",
     "Turn off the desktop's transparency effects while QDX Viewer users are connected, to improve "
     "performance.",
     "Transparenzeffekte des Desktops deaktivieren, während QDX-Viewer-Benutzer verbunden sind, um "
     "die Leistung zu verbessern.",
     "Desactivar los efectos de transparencia del escritorio mientras haya usuarios de QDX Viewer "
     "conectados, para mejorar el rendimiento.",
     "Désactiver les effets de transparence du bureau tant que des utilisateurs de QDX Viewer sont "
     "connectés, afin d'améliorer les performances.",
     "Desativar os efeitos de transparência da área de trabalho enquanto houver usuários do QDX "
     "Viewer conectados, para melhorar o desempenho."},
    {"svr_param_sdisplay_disable_effects",
     "Turn off user interface effects, such as animated menus and window shadows, while QDX Viewer "
     "users are connected, to improve performance.",
     "Effekte der Benutzeroberfläche wie animierte Menüs und Fensterschatten deaktivieren, während "
     "QDX-Viewer-Benutzer verbunden sind, um die Leistung zu verbessern.",
     "Desactivar los efectos de la interfaz de usuario, como los menús animados y las sombras de "
     "las ventanas, mientras haya usuarios de QDX Viewer conectados, para mejorar el rendimiento.",
     "Désactiver les effets de l'interface utilisateur, tels que les menus animés et les ombres "
     "des fenêtres, tant que des utilisateurs de QDX Viewer sont connectés, afin d'améliorer les "
     "performances.",
     "Desativar os efeitos da interface do usuário, como menus animados e sombras de janelas, "
     "enquanto houver usuários do QDX Viewer conectados, para melhorar o desempenho."},
    {"svr_param_sdisplay_disablelocalinputs",
     "Ignore the computer's own keyboard and mouse while QDX Viewer users are connected.",
     "Tastatur und Maus des Computers selbst ignorieren, während QDX-Viewer-Benutzer verbunden "
     "sind.",
     "Ignorar el teclado y el ratón del propio equipo mientras haya usuarios de QDX Viewer "
     "conectados.",
     "Ignorer le clavier et la souris de l'ordinateur lui-même tant que des utilisateurs de QDX "
     "Viewer sont connectés.",
     "Ignorar o teclado e o mouse do próprio computador enquanto houver usuários do QDX Viewer "
     "conectados."},
    {"svr_param_sdisplay_displaydevice",
     "The display device to remote to QDX Viewer users, or empty to remote the whole desktop.",
     "Das Anzeigegerät, das an QDX-Viewer-Benutzer übertragen wird, oder leer, um den gesamten "
     "Desktop zu übertragen.",
     "El dispositivo de pantalla que se transmite a los usuarios de QDX Viewer, o vacío para "
     "transmitir todo el escritorio.",
     "Le périphérique d'affichage transmis aux utilisateurs de QDX Viewer, ou vide pour "
     "transmettre tout le bureau.",
     "O dispositivo de vídeo transmitido aos usuários do QDX Viewer, ou vazio para transmitir toda "
     "a área de trabalho."},
    {"svr_param_sdisplay_remove_pattern",
     "Remove the desktop pattern while QDX Viewer users are connected, to improve performance.",
     "Das Desktopmuster entfernen, während QDX-Viewer-Benutzer verbunden sind, um die Leistung zu "
     "verbessern.",
     "Quitar el diseño del escritorio mientras haya usuarios de QDX Viewer conectados, para "
     "mejorar el rendimiento.",
     "Supprimer le motif du bureau tant que des utilisateurs de QDX Viewer sont connectés, afin "
     "d'améliorer les performances.",
     "Remover o padrão da área de trabalho enquanto houver usuários do QDX Viewer conectados, para "
     "melhorar o desempenho."},
    {"svr_param_sdisplay_remove_wallpaper",
     "Remove the desktop wallpaper while QDX Viewer users are connected, to improve performance.",
     "Das Hintergrundbild des Desktops entfernen, während QDX-Viewer-Benutzer verbunden sind, um "
     "die Leistung zu verbessern.",
     "Quitar el fondo del escritorio mientras haya usuarios de QDX Viewer conectados, para mejorar "
     "el rendimiento.",
     "Supprimer le fond d'écran du bureau tant que des utilisateurs de QDX Viewer sont connectés, "
     "afin d'améliorer les performances.",
     "Remover o papel de parede da área de trabalho enquanto houver usuários do QDX Viewer "
     "conectados, para melhorar o desempenho."},
    {"svr_param_send_cuttext", "Send clipboard changes to QDX Viewer users.",
     "Zwischenablageänderungen an QDX-Viewer-Benutzer senden.",
     "Enviar los cambios del portapapeles a los usuarios de QDX Viewer.",
     "Envoyer les modifications du presse-papiers aux utilisateurs de QDX Viewer.",
     "Enviar as alterações da área de transferência aos usuários do QDX Viewer."},
    {"svr_param_simulatesas",
     "Simulate the secure attention sequence (Ctrl+Alt+Del) when a QDX Viewer user sends it.",
     "Die Sicherheitstastenfolge (Strg+Alt+Entf) simulieren, wenn ein QDX-Viewer-Benutzer sie "
     "sendet.",
     "Simular la secuencia de atención segura (Ctrl+Alt+Supr) cuando un usuario de QDX Viewer la "
     "envía.",
     "Simuler la séquence de sécurité (Ctrl+Alt+Suppr) lorsqu'un utilisateur de QDX Viewer "
     "l'envoie.",
     "Simular a sequência de atenção segura (Ctrl+Alt+Del) quando um usuário do QDX Viewer a "
     "enviar."},
    {"svr_param_ssecurityfactory_auth",
     "The authentication scheme(s) to offer for incoming connections (SingleSignOn | SystemAuth | "
     "QdxAuth | Certificate | Radius | InteractiveSystemAuth), or None to turn off password "
     "protection (direct connections only, and not recommended).",
     "Die Authentifizierungsverfahren, die für eingehende Verbindungen angeboten werden "
     "(SingleSignOn | SystemAuth | QdxAuth | Certificate | Radius | InteractiveSystemAuth), oder "
     "None, um den Kennwortschutz zu deaktivieren (nur bei direkten Verbindungen und nicht "
     "empfohlen).",
     "Los esquemas de autenticación que se ofrecen para las conexiones entrantes (SingleSignOn | "
     "SystemAuth | QdxAuth | Certificate | Radius | InteractiveSystemAuth), o None para desactivar "
     "la protección con contraseña (solo conexiones directas; no recomendado).",
     "Le ou les modes d'authentification proposés pour les connexions entrantes (SingleSignOn | "
     "SystemAuth | QdxAuth | Certificate | Radius | InteractiveSystemAuth), ou None pour "
     "désactiver la protection par mot de passe (connexions directes uniquement, non recommandé).",
     "Os esquemas de autenticação oferecidos para conexões de entrada (SingleSignOn | SystemAuth | "
     "QdxAuth | Certificate | Radius | InteractiveSystemAuth), ou None para desativar a proteção "
     "por senha (somente conexões diretas; não recomendado)."},
    {"svr_param_ssecurityfactory_enc",
     "The level of encryption to offer for incoming connections (AlwaysMaximum | AlwaysOn | "
     "PreferOn | PreferOff), or AlwaysOff to turn off encryption (direct connections only, and not "
     "recommended).",
     "Die Verschlüsselungsstufe, die für eingehende Verbindungen angeboten wird (AlwaysMaximum | "
     "AlwaysOn | PreferOn | PreferOff), oder AlwaysOff, um die Verschlüsselung zu deaktivieren "
     "(nur bei direkten Verbindungen und nicht empfohlen).",
     "El nivel de cifrado que se ofrece para las conexiones entrantes (AlwaysMaximum | AlwaysOn | "
     "PreferOn | PreferOff), o AlwaysOff para desactivar el cifrado (solo conexiones directas; no "
     "recomendado).",
     "Le niveau de chiffrement proposé pour les connexions entrantes (AlwaysMaximum | AlwaysOn | "
     "PreferOn | PreferOff), ou AlwaysOff pour désactiver le chiffrement (connexions directes "
     "uniquement, non recommandé).",
     "O nível de criptografia oferecido para conexões de entrada (AlwaysMaximum | AlwaysOn | "
     "PreferOn | PreferOff), ou AlwaysOff para desativar a criptografia (somente conexões diretas; "
     "não recomendado)."},
    {"svr_param_ssecurityfactory_revsectypes",
     "The security scheme(s) to offer for reverse connections to a listening QDX Viewer, or "
     "\"<auto>\" to determine using the Encryption and Authentication parameters.",
     "Die Sicherheitsverfahren, die für umgekehrte Verbindungen zu einem wartenden QDX Viewer "
     "angeboten werden, oder \"<auto>\", um sie anhand der Parameter Encryption und Authentication "
     "zu bestimmen.",
     "Los esquemas de seguridad que se ofrecen para las conexiones inversas a un QDX Viewer en "
     "escucha, o \"<auto>\" para determinarlos a partir de los parámetros Encryption y "
     "Authentication.",
     "Le ou les modes de sécurité proposés pour les connexions inverses vers un QDX Viewer en "
     "écoute, ou \"<auto>\" pour les déterminer d'après les paramètres Encryption et "
     "Authentication.",
     "Os esquemas de segurança oferecidos para conexões reversas a um QDX Viewer em escuta, ou "
     "\"<auto>\" para determiná-los pelos parâmetros Encryption e Authentication."},
    {"svr_param_ssecurityfactory_sectypes",
     "The security scheme(s) to offer for incoming connections, or \"<auto>\" to determine using "
     "the Encryption and Authentication parameters.",
     "Die Sicherheitsverfahren, die für eingehende Verbindungen angeboten werden, oder \"<auto>\", "
     "um sie anhand der Parameter Encryption und Authentication zu bestimmen.",
     "Los esquemas de seguridad que se ofrecen para las conexiones entrantes, o \"<auto>\" para "
     "determinarlos a partir de los parámetros Encryption y Authentication.",
     "Le ou les modes de sécurité proposés pour les connexions entrantes, ou \"<auto>\" pour les "
     "déterminer d'après les paramètres Encryption et Authentication.",
     "Os esquemas de segurança oferecidos para conexões de entrada, ou \"<auto>\" para "
     "determiná-los pelos parâmetros Encryption e Authentication."},
    {"svr_param_usecaptureblt",
     "Include semi-transparent and layered windows when capturing the screen, at some cost in "
     "performance.",
     "Beim Erfassen des Bildschirms auch halbtransparente und überlagerte Fenster einbeziehen, auf "
     "Kosten der Leistung.",
     "Incluir las ventanas semitransparentes y superpuestas al capturar la pantalla, a costa de "
     "algo de rendimiento.",
     "Inclure les fenêtres semi-transparentes et superposées lors de la capture de l'écran, au "
     "prix d'une baisse des performances.",
     "Incluir janelas semitransparentes e sobrepostas ao capturar a tela, com algum custo de "
     "desempenho."},
    {"svr_param_win_sdisplay_capturemethod",
     "The method by which QDX Server captures the screen on Windows.",
     "Die Methode, mit der QDX Server unter Windows den Bildschirm erfasst.",
     "El método con el que QDX Server captura la pantalla en Windows.",
     "La méthode utilisée par QDX Server pour capturer l'écran sous Windows.",
     "O método usado pelo QDX Server para capturar a tela no Windows."},
    {"svr_param_win_skeyboard_deadkeyaware",
     "Take the dead keys of the computer's keyboard layout into account when injecting keyboard "
     "input from QDX Viewer users.",
     "Beim Einspeisen von Tastatureingaben von QDX-Viewer-Benutzern die Tottasten des "
     "Tastaturlayouts des Computers berücksichtigen.",
     "Tener en cuenta las teclas muertas de la distribución de teclado del equipo al introducir la "
     "entrada de teclado de los usuarios de QDX Viewer.",
     "Tenir compte des touches mortes de la disposition de clavier de l'ordinateur lors de "
     "l'injection des saisies au clavier des utilisateurs de QDX Viewer.",
     "Levar em conta as teclas mortas do layout de teclado do computador ao injetar a entrada de "
     "teclado dos usuários do QDX Viewer."},
    {"svr_sauthentication_custom", "Custom", "Benutzerdefiniert", "Personalizado", "Personnalisé",
     "Personalizado"},
    {"svr_sauthentication_desc_interactivesystem",
     "When prompted, connecting users should enter their %1$S user name followed by any additional "
     "requested system credentials.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, ihren "
     "%1$S-Benutzernamen und danach alle weiteren angeforderten Systemanmeldedaten eingeben.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir su nombre de usuario "
     "de %1$S y, a continuación, las demás credenciales del sistema que se les pidan.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir leur nom d'utilisateur %1$S, "
     "puis les autres informations d'identification système demandées.",
     "Quando solicitado, os usuários que se conectam devem digitar seu nome de usuário do %1$S e, "
     "em seguida, as demais credenciais do sistema solicitadas."},
    {"svr_sauthentication_desc_none",
     "QDX Server is not password-protected. This is NOT recommended.",
     "QDX Server ist nicht kennwortgeschützt. Dies wird NICHT empfohlen.",
     "QDX Server no está protegido con contraseña. Esto NO se recomienda.",
     "QDX Server n'est pas protégé par mot de passe. Ce n'est PAS recommandé.",
     "O QDX Server não está protegido por senha. Isso NÃO é recomendado."},
    {"svr_sauthentication_desc_public_key",
     "Connecting users should be transparently authenticated by a certificate they own, either on "
     "a smartcard or in a store on the connecting device.",
     "Sich verbindende Benutzer sollten transparent über ein eigenes Zertifikat authentifiziert "
     "werden, entweder auf einer Smartcard oder in einem Zertifikatspeicher auf dem verbindenden "
     "Gerät.",
     "Los usuarios que se conecten deben autenticarse de forma transparente mediante un "
     "certificado propio, ya sea en una tarjeta inteligente o en un almacén del dispositivo desde "
     "el que se conectan.",
     "Les utilisateurs qui se connectent doivent être authentifiés de façon transparente par un "
     "certificat qui leur appartient, sur une carte à puce ou dans un magasin de l'appareil à "
     "partir duquel ils se connectent.",
     "Os usuários que se conectam devem ser autenticados de forma transparente por um certificado "
     "próprio, em um cartão inteligente ou em um repositório do dispositivo a partir do qual se "
     "conectam."},
    {"svr_sauthentication_desc_qdx_password",
     "When prompted, connecting users should enter the QDX password.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, das QDX-Kennwort "
     "eingeben.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir la contraseña de QDX.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir le mot de passe QDX.",
     "Quando solicitado, os usuários que se conectam devem digitar a senha do QDX."},
    {"svr_sauthentication_desc_single_sign_on",
     "Connecting users should be automatically authenticated by secure network services.",
     "Sich verbindende Benutzer sollten automatisch über sichere Netzwerkdienste authentifiziert "
     "werden.",
     "Los usuarios que se conecten deben autenticarse automáticamente mediante servicios de red "
     "seguros.",
     "Les utilisateurs qui se connectent doivent être authentifiés automatiquement par des "
     "services réseau sécurisés.",
     "Os usuários que se conectam devem ser autenticados automaticamente por serviços de rede "
     "seguros."},
    {"svr_sauthentication_desc_system_duo",
     "When prompted, connecting users should enter their %1$S user name and password, then "
     "authenticate using their Duo device.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, ihren "
     "%1$S-Benutzernamen und ihr Kennwort eingeben und sich dann mit ihrem Duo-Gerät "
     "authentifizieren.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir su nombre de usuario y "
     "contraseña de %1$S y, a continuación, autenticarse con su dispositivo Duo.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir leur nom d'utilisateur et leur "
     "mot de passe %1$S, puis s'authentifier à l'aide de leur appareil Duo.",
     "Quando solicitado, os usuários que se conectam devem digitar seu nome de usuário e senha do "
     "%1$S e, em seguida, autenticar-se com o dispositivo Duo."},
    {"svr_sauthentication_desc_system_password",
     "When prompted, connecting users should enter their %1$S user name and password.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, ihren "
     "%1$S-Benutzernamen und ihr Kennwort eingeben.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir su nombre de usuario y "
     "contraseña de %1$S.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir leur nom d'utilisateur et leur "
     "mot de passe %1$S.",
     "Quando solicitado, os usuários que se conectam devem digitar seu nome de usuário e senha do "
     "%1$S."},
    {"svr_sauthentication_desc_system_radius",
     "When prompted, connecting users should enter their %1$S user name and password, then "
     "authenticate to a RADIUS server.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, ihren "
     "%1$S-Benutzernamen und ihr Kennwort eingeben und sich dann bei einem RADIUS-Server "
     "authentifizieren.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir su nombre de usuario y "
     "contraseña de %1$S y, a continuación, autenticarse en un servidor RADIUS.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir leur nom d'utilisateur et leur "
     "mot de passe %1$S, puis s'authentifier auprès d'un serveur RADIUS.",
     "Quando solicitado, os usuários que se conectam devem digitar seu nome de usuário e senha do "
     "%1$S e, em seguida, autenticar-se em um servidor RADIUS."},
    {"svr_sauthentication_desc_system_securid",
     "When prompted, connecting users should enter their %1$S user name and password, then "
     "authenticate using their RSA SecurID® token.",
     "Auf Aufforderung sollten Benutzer, die sich verbinden, ihren "
     "%1$S-Benutzernamen und ihr Kennwort eingeben und sich dann mit ihrem RSA SecurID®-Token "
     "authentifizieren.",
     "Cuando se les solicite, los usuarios que se conecten deben introducir su nombre de usuario y "
     "contraseña de %1$S y, a continuación, autenticarse con su token RSA SecurID®.",
     "À l'invite, les utilisateurs qui se connectent doivent saisir leur nom d'utilisateur et leur "
     "mot de passe %1$S, puis s'authentifier à l'aide de leur jeton RSA SecurID®.",
     "Quando solicitado, os usuários que se conectam devem digitar seu nome de usuário e senha do "
     "%1$S e, em seguida, autenticar-se com o token RSA SecurID®."},
    {"svr_sauthentication_duo", "Duo authentication", "Duo-Authentifizierung", "Autenticación Duo",
     "Authentification Duo", "Autenticação Duo"},
    {"svr_sauthentication_interactivesystem", "Interactive %1$S authentication",
     "Interaktive %1$S-Authentifizierung", "Autenticación interactiva de %1$S",
     "Authentification %1$S interactive", "Autenticação interativa do %1$S"},
    {"svr_sauthentication_none", "None", "Keine", "Ninguna", "Aucune", "Nenhuma"},
    {"svr_sauthentication_public_key", "Smartcard/certificate store",
     "Smartcard/Zertifikatspeicher", "Tarjeta inteligente/almacén de certificados",
     "Carte à puce/magasin de certificats", "Cartão inteligente/repositório de certificados"},
    {"svr_sauthentication_qdx_password", "QDX password", "QDX-Kennwort", "Contraseña de QDX",
     "Mot de passe QDX", "Senha do QDX"},
    {"svr_sauthentication_radius", "RADIUS authentication", "RADIUS-Authentifizierung",
     "Autenticación RADIUS", "Authentification RADIUS", "Autenticação RADIUS"},
    {"svr_sauthentication_securid", "RSA SecurID® authentication", "RSA SecurID®-Authentifizierung",
     "Autenticación RSA SecurID®", "Authentification RSA SecurID®", "Autenticação RSA SecurID®"},
    {"svr_sauthentication_single_sign_on", "Single sign-on", "Einmalanmeldung",
     "Inicio de sesión único", "Authentification unique", "Logon único"},
    {"svr_sauthentication_system_password", "%1$S password", "%1$S-Kennwort", "Contraseña de %1$S",
     "Mot de passe %1$S", "Senha do %1$S"},
    {"svr_sconn_close_auth_timeout", "This connection has timed out waiting for authentication.",
     "Bei dieser Verbindung wurde das Zeitlimit für die Authentifizierung überschritten.",
     "Se agotó el tiempo de espera de la autenticación de esta conexión.",
     "Cette connexion a expiré dans l'attente de l'authentification.",
     "Esta conexão expirou aguardando a autenticação."},
    {"svr_sconn_close_conn_timeout",
     "This connection has timed out because QDX Viewer stopped responding.",
     "Bei dieser Verbindung wurde das Zeitlimit überschritten, weil QDX Viewer nicht mehr reagiert "
     "hat.",
     "Se agotó el tiempo de espera de esta conexión porque QDX Viewer dejó de responder.",
     "Cette connexion a expiré, car QDX Viewer ne répondait plus.",
     "Esta conexão expirou porque o QDX Viewer parou de responder."},
    {"svr_sconn_close_idle_timeout", "This connection has timed out through inactivity.",
     "Diese Verbindung wurde wegen Inaktivität beendet.",
     "Se agotó el tiempo de espera de esta conexión por inactividad.",
     "Cette connexion a expiré pour cause d'inactivité.", "Esta conexão expirou por inatividade."},
    {"svr_sconn_non_shared", "Another user has connected without sharing the desktop.",
     "Ein anderer Benutzer hat eine Verbindung hergestellt, ohne den Desktop zu teilen.",
     "Otro usuario se ha conectado sin compartir el escritorio.",
     "Un autre utilisateur s'est connecté sans partager le bureau.",
     "Outro usuário se conectou sem compartilhar a área de trabalho."},
    {"svr_sconn_queryconnect_reject", "Connection rejected by QDX Server computer user.",
     "Die Verbindung wurde vom Benutzer am Computer mit QDX Server abgelehnt.",
     "Conexión rechazada por el usuario del equipo con QDX Server.",
     "Connexion refusée par l'utilisateur de l'ordinateur QDX Server.",
     "Conexão rejeitada pelo usuário do computador com o QDX Server."},
    {"svr_sconn_queryconnect_timeout",
     "Connection rejected because the QDX Server computer user did not respond in time.",
     "Die Verbindung wurde abgelehnt, weil der Benutzer am Computer mit QDX Server nicht "
     "rechtzeitig geantwortet hat.",
     "Conexión rechazada porque el usuario del equipo con QDX Server no respondió a tiempo.",
     "Connexion refusée, car l'utilisateur de l'ordinateur QDX Server n'a pas répondu à temps.",
     "Conexão rejeitada porque o usuário do computador com o QDX Server não respondeu a tempo."},
    {"svr_sconn_server_in_use", "QDX Server is already in use by another user.",
     "QDX Server wird bereits von einem anderen Benutzer verwendet.",
     "QDX Server ya está en uso por otro usuario.",
     "QDX Server est déjà utilisé par un autre utilisateur.",
     "O QDX Server já está em uso por outro usuário."},
    {"svr_sdisplay_wake_display_reason", "A QDX Viewer user has connected",
     "Ein QDX-Viewer-Benutzer hat eine Verbindung hergestellt",
     "Se ha conectado un usuario de QDX Viewer", "Un utilisateur de QDX Viewer s'est connecté",
     "Um usuário do QDX Viewer se conectou"},
    {"svr_sencryption_always_maximum", "Always maximum", "Immer maximal", "Siempre máximo",
     "Toujours maximal", "Sempre máximo"},
    {"svr_sencryption_always_maximum_display", "Always maximum (256-bit AES)",
     "Immer maximal (256-Bit-AES)", "Siempre máximo (AES de 256 bits)",
     "Toujours maximal (AES 256 bits)", "Sempre máximo (AES de 256 bits)"},
    {"svr_sencryption_always_off", "Always off", "Immer aus", "Siempre desactivado",
     "Toujours désactivé", "Sempre desativado"},
    {"svr_sencryption_always_on", "Always on", "Immer ein", "Siempre activado", "Toujours activé",
     "Sempre ativado"},
    {"svr_sencryption_always_on_display", "Always on (at least 128-bit AES)",
     "Immer ein (mindestens 128-Bit-AES)", "Siempre activado (AES de 128 bits como mínimo)",
     "Toujours activé (au moins AES 128 bits)", "Sempre ativado (AES de 128 bits, no mínimo)"},
    {"svr_sencryption_custom_display", "Custom", "Benutzerdefiniert", "Personalizado",
     "Personnalisé", "Personalizado"},
    {"svr_sencryption_prefer_off", "Prefer off", "Bevorzugt aus", "Preferiblemente desactivado",
     "De préférence désactivé", "Preferencialmente desativado"},
    {"svr_sencryption_prefer_on", "Prefer on", "Bevorzugt ein", "Preferiblemente activado",
     "De préférence activé", "Preferencialmente ativado"},
    {"svr_server_app_name_r", "Tessary® Server", "Tessary® Server", "Tessary® Server",
     "Tessary® Server", "Tessary® Server"},
    {"svr_server_exit", "QDX Server is exiting.", "QDX Server wird beendet.",
     "QDX Server se está cerrando.", "QDX Server est en cours de fermeture.",
     "O QDX Server está sendo encerrado."},
    {"svr_server_shutdown", "The QDX Server computer is shutting down.",
     "Der Computer mit QDX Server wird heruntergefahren.",
     "El equipo con QDX Server se está apagando.", "L'ordinateur QDX Server est en cours d'arrêt.",
     "O computador com o QDX Server está sendo desligado."},
    {"svr_server_stopped", "QDX Server stopped", "QDX Server gestoppt", "QDX Server detenido",
     "QDX Server arrêté", "QDX Server parado"},
    {"svr_server_userinitiated_close", "The connection was closed by the QDX Server computer user.",
     "Die Verbindung wurde vom Benutzer am Computer mit QDX Server getrennt.",
     "El usuario del equipo con QDX Server cerró la conexión.",
     "La connexion a été fermée par l'utilisateur de l'ordinateur QDX Server.",
     "A conexão foi encerrada pelo usuário do computador com o QDX Server."},
    {"svr_winsdisplay_session_switch",
     "The connection was closed because the active Windows session changed.",
     "Die Verbindung wurde getrennt, weil die aktive Windows-Sitzung gewechselt hat.",
     "La conexión se cerró porque cambió la sesión activa de Windows.",
     "La connexion a été fermée, car la session Windows active a changé.",
     "A conexão foi encerrada porque a sessão ativa do Windows mudou."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("svr_", kRows, 88, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace svr

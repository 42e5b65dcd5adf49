#include "smisc/SmiscTranslations.h"

#include "loc/Catalogue.h"

namespace smisc {
namespace {

// Texts of the connection-request prompt ("_marked_up") and the "_html_fmt" row are markup: an
// argument is escaped by the caller, and a literal ampersand is written "&amp;". The service-mode
// name is the product's name in every language. The mirror-driver error description ends in a
// blank because the system's error text follows it directly.
constexpr loc::CatalogueRow kRows[] = {
    {"smisc_addclient_usage_connect",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Einen laufenden QDX Server mit Listening QDX Viewer auf HOST an PORT (Standard 5500) "
     "verbinden.",
     "Conectar un QDX Server existente a Listening QDX Viewer en HOST y PORT (5500 de forma "
     "predeterminada).",
     "Connecter un QDX Server existant à Listening QDX Viewer sur HOST au port PORT (5500 par "
     "défaut).",
     "Conectar um QDX Server existente ao Listening QDX Viewer em HOST na porta PORT (padrão "
     "5500)."},
    {"smisc_addclient_usage_iconnect",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "QDX Server bei Bedarf starten und dann mit Listening QDX Viewer auf HOST an PORT (Standard "
     "5500) verbinden.",
     "Iniciar QDX Server si es necesario y conectarlo a Listening QDX Viewer en HOST y PORT (5500 "
     "de forma predeterminada).",
     "Démarrer QDX Server si nécessaire, puis le connecter à Listening QDX Viewer sur HOST au port "
     "PORT (5500 par défaut).",
     "Iniciar o QDX Server, se necessário, e conectá-lo ao Listening QDX Viewer em HOST na porta "
     "PORT (padrão 5500)."},
    {"smisc_addclientdialog_client",
     "QDX Viewer:", "QDX Viewer:", "QDX Viewer:", "QDX Viewer\u00a0:", "QDX Viewer:"},
    {"smisc_addclientdialog_connect", "Connect", "Verbinden", "Conectar", "Connecter", "Conectar"},
    {"smisc_addclientdialog_param_disablemenu",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Verhindern, dass Benutzer QDX Server über das QDX Server-Menü mit Listening QDX Viewer "
     "verbinden.",
     "Impedir que los usuarios conecten QDX Server a Listening QDX Viewer desde el menú de QDX "
     "Server.",
     "Empêcher les utilisateurs de connecter QDX Server à Listening QDX Viewer depuis le menu de "
     "QDX Server.",
     "Impedir que os usuários conectem o QDX Server ao Listening QDX Viewer pelo menu do QDX "
     "Server."},
    {"smisc_addclientdialog_title", "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Mit Listening QDX Viewer verbinden",
     "Tessary Server - Conectar a Listening QDX Viewer",
     "Tessary Server - Se connecter à Listening QDX Viewer",
     "Tessary Server - Conectar ao Listening QDX Viewer"},
    {"smisc_allow_dynamic_resolution_param",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "QDX-Viewer-Benutzern erlauben, die Desktopauflösung an ihr Fenster anzupassen.",
     "Permitir que los usuarios de QDX Viewer cambien la resolución del escritorio para ajustarla "
     "a su ventana.",
     "Autoriser les utilisateurs de QDX Viewer à modifier la résolution du bureau pour l'adapter à "
     "leur fenêtre.",
     "Permitir que os usuários do QDX Viewer alterem a resolução da área de trabalho para "
     "ajustá-la à janela deles."},
    {"smisc_bindtoaddress_param_iplistenaddresses",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Kommagetrennte Liste lokaler IP-Adressen, an denen auf direkte QDX-Verbindungen gewartet "
     "wird; leer lassen, um an allen Adressen zu warten.",
     "Lista de direcciones IP locales, separadas por comas, en las que se esperan conexiones QDX "
     "directas; déjela vacía para esperarlas en todas las direcciones.",
     "Liste d'adresses IP locales, séparées par des virgules, sur lesquelles attendre les "
     "connexions QDX directes, ou vide pour les attendre sur toutes les adresses.",
     "Lista de endereços IP locais, separados por vírgulas, nos quais aguardar conexões QDX "
     "diretas, ou vazio para aguardá-las em todos os endereços."},
    {"smisc_capturebroken_desc_tx",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server kann den Bildschirm nicht zuverlässig erfassen, weil der X-Server nicht wie "
     "erwartet reagiert.",
     "QDX Server no puede capturar la pantalla de forma fiable porque el servidor X no responde "
     "como se esperaba.",
     "QDX Server ne peut pas capturer l'écran de manière fiable, car le serveur X ne répond pas "
     "comme prévu.",
     "O QDX Server não consegue capturar a tela de forma confiável porque o servidor X não está "
     "respondendo como esperado."},
    {"smisc_capturebroken_desc_win",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server kann den Bildschirm nicht zuverlässig erfassen, weil der Grafiktreiber nicht wie "
     "erwartet reagiert.",
     "QDX Server no puede capturar la pantalla de forma fiable porque el controlador de gráficos "
     "no responde como se esperaba.",
     "QDX Server ne peut pas capturer l'écran de manière fiable, car le pilote graphique ne répond "
     "pas comme prévu.",
     "O QDX Server não consegue capturar a tela de forma confiável porque o driver de vídeo não "
     "está respondendo como esperado."},
    {"smisc_capturebroken_sol_tx",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Starten Sie den X-Server neu. Besteht das Problem weiterhin, aktualisieren Sie den "
     "Grafiktreiber oder wenden Sie sich an Ihren Systemadministrator.",
     "Reinicie el servidor X. Si el problema continúa, actualice el controlador de gráficos o "
     "póngase en contacto con el administrador del sistema.",
     "Redémarrez le serveur X. Si le problème persiste, mettez à jour le pilote graphique ou "
     "contactez votre administrateur système.",
     "Reinicie o servidor X. Se o problema persistir, atualize o driver de vídeo ou entre em "
     "contato com o administrador do sistema."},
    {"smisc_capturebroken_sol_win",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Starten Sie den Computer neu. Besteht das Problem weiterhin, aktualisieren Sie den "
     "Grafiktreiber.",
     "Reinicie el equipo. Si el problema continúa, actualice el controlador de gráficos.",
     "Redémarrez l'ordinateur. Si le problème persiste, mettez à jour le pilote graphique.",
     "Reinicie o computador. Se o problema persistir, atualize o driver de vídeo."},
    {"smisc_capturebroken_title", "QDX Server cannot capture the screen",
     "QDX Server kann den Bildschirm nicht erfassen", "QDX Server no puede capturar la pantalla",
     "QDX Server ne peut pas capturer l'écran", "O QDX Server não consegue capturar a tela"},
    {"smisc_cmdlineconfigfile_usage",
     "Read additional parameters from the configuration file FILE.",
     "Weitere Parameter aus der Konfigurationsdatei FILE lesen.",
     "Leer parámetros adicionales del archivo de configuración FILE.",
     "Lire des paramètres supplémentaires dans le fichier de configuration FILE.",
     "Ler parâmetros adicionais do arquivo de configuração FILE."},
    {"smisc_conntransferout_failed",
     "The connection could not be handed over to another QDX Server process.",
     "Die Verbindung konnte nicht an einen anderen QDX Server-Prozess übergeben werden.",
     "No se ha podido transferir la conexión a otro proceso de QDX Server.",
     "La connexion n'a pas pu être transmise à un autre processus QDX Server.",
     "Não foi possível transferir a conexão para outro processo do QDX Server."},
    {"smisc_conntransferout_timeout",
     "Timed out handing the connection over to another QDX Server process.",
     "Zeitüberschreitung bei der Übergabe der Verbindung an einen anderen QDX Server-Prozess.",
     "Se ha agotado el tiempo de espera al transferir la conexión a otro proceso de QDX Server.",
     "Délai dépassé lors de la transmission de la connexion à un autre processus QDX Server.",
     "Tempo esgotado ao transferir a conexão para outro processo do QDX Server."},
    {"smisc_corestatus_connnotify_timmeout",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "Dauer in Sekunden, für die Benachrichtigungen über hergestellte und getrennte Verbindungen "
     "angezeigt werden, oder 0, um Benachrichtigungen zu deaktivieren.",
     "Número de segundos durante los que se muestran los mensajes de notificación de conexión y "
     "desconexión, o 0 para desactivar las notificaciones.",
     "Durée d'affichage, en secondes, des messages de notification de connexion et de déconnexion, "
     "ou 0 pour désactiver les notifications.",
     "Número de segundos durante os quais as mensagens de notificação de conexão e desconexão são "
     "exibidas, ou 0 para desativar as notificações."},
    {"smisc_corestatus_connnotifyalways",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Benachrichtigungen über hergestellte und getrennte Verbindungen auch dann anzeigen, wenn das "
     "Statussymbol von QDX Server ausgeblendet ist.",
     "Mostrar los mensajes de notificación de conexión y desconexión aunque el icono de estado de "
     "QDX Server esté oculto.",
     "Afficher les messages de notification de connexion et de déconnexion même lorsque l'icône "
     "d'état de QDX Server est masquée.",
     "Exibir as mensagens de notificação de conexão e desconexão mesmo quando o ícone de status do "
     "QDX Server estiver oculto."},
    {"smisc_corestatus_connnotifystyle",
     "How to display connection and disconnection notification messages.",
     "Art der Anzeige von Benachrichtigungen über hergestellte und getrennte Verbindungen.",
     "Forma de mostrar los mensajes de notificación de conexión y desconexión.",
     "Mode d'affichage des messages de notification de connexion et de déconnexion.",
     "Como exibir as mensagens de notificação de conexão e desconexão."},
    {"smisc_corestatus_disable_close",
     "Prevent users from stopping QDX Server from its status icon.",
     "Verhindern, dass Benutzer QDX Server über das Statussymbol beenden.",
     "Impedir que los usuarios detengan QDX Server desde su icono de estado.",
     "Empêcher les utilisateurs d'arrêter QDX Server depuis son icône d'état.",
     "Impedir que os usuários encerrem o QDX Server pelo ícone de status."},
    {"smisc_corestatus_disable_options",
     "Prevent users from opening the QDX Server Options dialog.",
     "Verhindern, dass Benutzer den Dialog „Optionen“ von QDX Server öffnen.",
     "Impedir que los usuarios abran el cuadro de diálogo Opciones de QDX Server.",
     "Empêcher les utilisateurs d'ouvrir la boîte de dialogue Options de QDX Server.",
     "Impedir que os usuários abram a caixa de diálogo Opções do QDX Server."},
    {"smisc_corestatus_disable_trayicon", "Hide the QDX Server status icon.",
     "Das Statussymbol von QDX Server ausblenden.", "Ocultar el icono de estado de QDX Server.",
     "Masquer l'icône d'état de QDX Server.", "Ocultar o ícone de status do QDX Server."},
    {"smisc_corestatus_quitonclose", "Stop QDX Server when the last QDX Viewer user disconnects.",
     "QDX Server beenden, wenn der letzte QDX-Viewer-Benutzer die Verbindung trennt.",
     "Detener QDX Server cuando se desconecte el último usuario de QDX Viewer.",
     "Arrêter QDX Server lorsque le dernier utilisateur de QDX Viewer se déconnecte.",
     "Encerrar o QDX Server quando o último usuário do QDX Viewer se desconectar."},
    {"smisc_ctrlcomms_disconnect_usage",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Alle QDX-Viewer-Benutzer von einem laufenden QDX Server trennen.",
     "Desconectar a todos los usuarios de QDX Viewer de un QDX Server existente.",
     "Déconnecter tous les utilisateurs de QDX Viewer d'un QDX Server existant.",
     "Desconectar todos os usuários do QDX Viewer de um QDX Server existente."},
    {"smisc_ctrlcomms_getconfig_usage",
     "Print the parameters of a single running instance of QDX Server.",
     "Die Parameter einer einzelnen laufenden Instanz von QDX Server ausgeben.",
     "Mostrar los parámetros de una única instancia de QDX Server en ejecución.",
     "Afficher les paramètres d'une seule instance en cours d'exécution de QDX Server.",
     "Exibir os parâmetros de uma única instância do QDX Server em execução."},
    {"smisc_ctrlcomms_getconnections_usage",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "Die mit einem laufenden QDX Server verbundenen QDX-Viewer-Benutzer auflisten.",
     "Enumerar los usuarios de QDX Viewer conectados a un QDX Server existente.",
     "Lister les utilisateurs de QDX Viewer connectés à un QDX Server existant.",
     "Listar os usuários do QDX Viewer conectados a um QDX Server existente."},
    {"smisc_ctrlcomms_setconfig_usage",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Parameter aus %S (oder \"-\" für die Standardeingabe) lesen und für eine einzelne laufende "
     "Instanz von QDX Server setzen; beim nächsten Start von QDX Server werden die Parameter nicht "
     "verwendet.",
     "Leer parámetros de %S (o \"-\" para la entrada estándar) y aplicarlos a una única instancia "
     "de QDX Server en ejecución; los parámetros no se usarán la próxima vez que se inicie QDX "
     "Server.",
     "Lire des paramètres dans %S (ou \"-\" pour l'entrée standard) et les appliquer à une seule "
     "instance en cours d'exécution de QDX Server\u00a0; ces paramètres ne seront pas utilisés au "
     "prochain démarrage de QDX Server.",
     "Ler parâmetros de %S (ou \"-\" para a entrada padrão) e aplicá-los a uma única instância do "
     "QDX Server em execução; os parâmetros não serão usados na próxima vez que o QDX Server for "
     "iniciado."},
    {"smisc_ctrlcomms_showstatus_usage", "Show the status window of an existing QDX Server.",
     "Das Statusfenster eines laufenden QDX Server anzeigen.",
     "Mostrar la ventana de estado de un QDX Server existente.",
     "Afficher la fenêtre d'état d'un QDX Server existant.",
     "Mostrar a janela de status de um QDX Server existente."},
    {"smisc_ctrlcomms_stop_usage", "Stop an existing QDX Server.",
     "Einen laufenden QDX Server beenden.", "Detener un QDX Server existente.",
     "Arrêter un QDX Server existant.", "Encerrar um QDX Server existente."},
    {"smisc_ctrlcomms_stop_usage_winextra",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "Um QDX Server im Dienstmodus zu beenden, beenden Sie stattdessen den Dienst QDX Server.",
     "Para detener QDX Server en modo de servicio, detenga en su lugar el servicio QDX Server.",
     "Pour arrêter QDX Server en mode service, arrêtez plutôt le service QDX Server.",
     "Para encerrar o QDX Server no modo de serviço, pare o serviço QDX Server."},
    {"smisc_desc_enableaudio", "Send audio from this computer to connected QDX Viewer users.",
     "Audio von diesem Computer an verbundene QDX-Viewer-Benutzer übertragen.",
     "Enviar el audio de este equipo a los usuarios de QDX Viewer conectados.",
     "Envoyer le son de cet ordinateur aux utilisateurs de QDX Viewer connectés.",
     "Enviar o áudio deste computador aos usuários do QDX Viewer conectados."},
    {"smisc_firewall_event_blocked_desc",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "Die Firewall dieses Computers blockiert eingehende Verbindungen zu QDX Server, daher können "
     "sich QDX-Viewer-Benutzer nicht direkt verbinden.",
     "El firewall de este equipo bloquea las conexiones entrantes a QDX Server, por lo que los "
     "usuarios de QDX Viewer no pueden conectarse directamente.",
     "Le pare-feu de cet ordinateur bloque les connexions entrantes vers QDX Server\u00a0; les "
     "utilisateurs de QDX Viewer ne peuvent donc pas se connecter directement.",
     "O firewall deste computador está bloqueando conexões de entrada para o QDX Server, por isso "
     "os usuários do QDX Viewer não podem se conectar diretamente."},
    {"smisc_firewall_event_blocked_sol",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Lassen Sie in den Firewall-Einstellungen eingehende Verbindungen zu QDX Server zu, oder "
     "bitten Sie Ihren Systemadministrator darum.",
     "Permita las conexiones entrantes a QDX Server en la configuración del firewall o pida al "
     "administrador del sistema que lo haga.",
     "Autorisez les connexions entrantes vers QDX Server dans les paramètres du pare-feu, ou "
     "demandez à votre administrateur système de le faire.",
     "Permita conexões de entrada para o QDX Server nas configurações do firewall ou peça ao "
     "administrador do sistema que faça isso."},
    {"smisc_firewall_event_blocked_title", "The firewall is blocking QDX Server",
     "Die Firewall blockiert QDX Server", "El firewall está bloqueando QDX Server",
     "Le pare-feu bloque QDX Server", "O firewall está bloqueando o QDX Server"},
    {"smisc_geometry_usage",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Größe und Position des Desktopbereichs festlegen, der QDX-Viewer-Benutzern angezeigt wird, "
     "als BREITExHÖHE+X+Y.",
     "Establecer el tamaño y la posición del área del escritorio que se muestra a los usuarios de "
     "QDX Viewer, como ANCHOxALTO+X+Y.",
     "Définir la taille et la position de la zone du bureau présentée aux utilisateurs de QDX "
     "Viewer, sous la forme LARGEURxHAUTEUR+X+Y.",
     "Definir o tamanho e a posição da área de trabalho mostrada aos usuários do QDX Viewer, no "
     "formato LARGURAxALTURA+X+Y."},
    {"smisc_instancecontrol_existing_found", "QDX Server is already running.",
     "QDX Server wird bereits ausgeführt.", "QDX Server ya se está ejecutando.",
     "QDX Server est déjà en cours d'exécution.", "O QDX Server já está em execução."},
    {"smisc_instancecontrol_usage", "Control an existing QDX Server instead of starting a new one.",
     "Einen laufenden QDX Server steuern, statt einen neuen zu starten.",
     "Controlar un QDX Server existente en lugar de iniciar uno nuevo.",
     "Contrôler un QDX Server existant au lieu d'en démarrer un nouveau.",
     "Controlar um QDX Server existente em vez de iniciar um novo."},
    {"smisc_iplisten_event_ip_addr_desc",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "Mindestens eine der IP-Adressen, an denen QDX Server laut Konfiguration auf Verbindungen "
     "wartet, ist auf diesem Computer nicht verfügbar.",
     "Una o varias de las direcciones IP en las que QDX Server está configurado para esperar "
     "conexiones no están disponibles en este equipo.",
     "Une ou plusieurs des adresses IP sur lesquelles QDX Server est configuré pour écouter ne "
     "sont pas disponibles sur cet ordinateur.",
     "Um ou mais dos endereços IP nos quais o QDX Server está configurado para aguardar conexões "
     "não estão disponíveis neste computador."},
    {"smisc_iplisten_event_ip_addr_sol",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Prüfen Sie die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, und "
     "entfernen Sie alle Adressen, die dieser Computer nicht mehr hat.",
     "Revise la lista de direcciones IP en las que QDX Server espera conexiones y quite las que "
     "este equipo ya no tenga.",
     "Vérifiez la liste des adresses IP sur lesquelles QDX Server écoute, et supprimez celles que "
     "cet ordinateur ne possède plus.",
     "Verifique a lista de endereços IP nos quais o QDX Server aguarda conexões e remova os que "
     "este computador não tem mais."},
    {"smisc_iplisten_event_ip_addr_title", "QDX Server cannot listen on an IP address",
     "QDX Server kann an einer IP-Adresse nicht auf Verbindungen warten",
     "QDX Server no puede esperar conexiones en una dirección IP",
     "QDX Server ne peut pas écouter sur une adresse IP",
     "O QDX Server não consegue aguardar conexões em um endereço IP"},
    {"smisc_iplisten_event_ip_parse_err_desc",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "Die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, enthält einen "
     "Eintrag, der keine gültige IP-Adresse ist.",
     "La lista de direcciones IP en las que QDX Server espera conexiones contiene una entrada que "
     "no es una dirección IP válida.",
     "La liste des adresses IP sur lesquelles QDX Server écoute contient une entrée qui n'est pas "
     "une adresse IP valide.",
     "A lista de endereços IP nos quais o QDX Server aguarda conexões contém uma entrada que não é "
     "um endereço IP válido."},
    {"smisc_iplisten_event_ip_parse_err_sol",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Korrigieren Sie die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, oder "
     "lassen Sie sie leer, um an allen Adressen zu warten.",
     "Corrija la lista de direcciones IP en las que QDX Server espera conexiones, o déjela vacía "
     "para esperarlas en todas las direcciones.",
     "Corrigez la liste des adresses IP sur lesquelles QDX Server écoute, ou laissez-la vide pour "
     "écouter sur toutes les adresses.",
     "Corrija a lista de endereços IP nos quais o QDX Server aguarda conexões ou deixe-a vazia "
     "para aguardá-las em todos os endereços."},
    {"smisc_iplisten_event_ip_parse_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server kann nicht auf direkte QDX-Verbindungen über %S warten",
     "QDX Server no puede esperar conexiones QDX directas a través de %S",
     "QDX Server ne peut pas écouter les connexions QDX directes via %S",
     "O QDX Server não consegue aguardar conexões QDX diretas via %S"},
    {"smisc_iplisten_event_rfb_err_desc",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server konnte den Port nicht öffnen, an dem er auf direkte QDX-Verbindungen wartet.",
     "QDX Server no ha podido abrir el puerto en el que espera conexiones QDX directas.",
     "QDX Server n'a pas pu ouvrir le port sur lequel il écoute les connexions QDX directes.",
     "O QDX Server não conseguiu abrir a porta na qual aguarda conexões QDX diretas."},
    {"smisc_iplisten_event_rfb_err_inuse_desc",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Ein anderes Programm auf diesem Computer verwendet bereits den Port, an dem QDX Server auf "
     "direkte QDX-Verbindungen wartet.",
     "Otro programa de este equipo ya está usando el puerto en el que QDX Server espera conexiones "
     "QDX directas.",
     "Un autre programme de cet ordinateur utilise déjà le port sur lequel QDX Server écoute les "
     "connexions QDX directes.",
     "Outro programa neste computador já está usando a porta na qual o QDX Server aguarda conexões "
     "QDX diretas."},
    {"smisc_iplisten_event_rfb_err_inuse_sol",
     "Stop the other program, or choose a different port for QDX Server.",
     "Beenden Sie das andere Programm, oder wählen Sie einen anderen Port für QDX Server.",
     "Detenga el otro programa o elija otro puerto para QDX Server.",
     "Arrêtez l'autre programme, ou choisissez un autre port pour QDX Server.",
     "Encerre o outro programa ou escolha outra porta para o QDX Server."},
    {"smisc_iplisten_event_rfb_err_inuse_title",
     "Port conflict preventing direct QDX connections over %S",
     "Ein Portkonflikt verhindert direkte QDX-Verbindungen über %S",
     "Un conflicto de puertos impide las conexiones QDX directas a través de %S",
     "Un conflit de ports empêche les connexions QDX directes via %S",
     "Um conflito de portas está impedindo conexões QDX diretas via %S"},
    {"smisc_iplisten_event_rfb_err_sol",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Prüfen Sie, ob der Port gültig und nicht vom System reserviert ist, und starten Sie QDX "
     "Server dann neu.",
     "Compruebe que el puerto es válido y no está reservado por el sistema y, a continuación, "
     "reinicie QDX Server.",
     "Vérifiez que le port est valide et n'est pas réservé par le système, puis redémarrez QDX "
     "Server.",
     "Verifique se a porta é válida e não está reservada pelo sistema e, em seguida, reinicie o "
     "QDX Server."},
    {"smisc_iplisten_event_rfb_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server kann nicht auf direkte QDX-Verbindungen über %S warten",
     "QDX Server no puede esperar conexiones QDX directas a través de %S",
     "QDX Server ne peut pas écouter les connexions QDX directes via %S",
     "O QDX Server não consegue aguardar conexões QDX diretas via %S"},
    {"smisc_iplisten_param_acceptrfb", "Accept direct QDX connections from QDX Viewer users.",
     "Direkte QDX-Verbindungen von QDX-Viewer-Benutzern annehmen.",
     "Aceptar conexiones QDX directas de los usuarios de QDX Viewer.",
     "Accepter les connexions QDX directes des utilisateurs de QDX Viewer.",
     "Aceitar conexões QDX diretas dos usuários do QDX Viewer."},
    {"smisc_iplisten_param_localhostonly", "Only accept direct QDX connections from this computer.",
     "Direkte QDX-Verbindungen nur von diesem Computer annehmen.",
     "Aceptar conexiones QDX directas solo desde este equipo.",
     "Accepter les connexions QDX directes uniquement depuis cet ordinateur.",
     "Aceitar conexões QDX diretas somente deste computador."},
    {"smisc_iplisten_param_protocols",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "Die Protokolle, über die direkte QDX-Verbindungen angenommen werden: TCP, UDP oder beide, "
     "durch ein Komma getrennt.",
     "Protocolos a través de los que se aceptan conexiones QDX directas: TCP, UDP o ambos "
     "separados por una coma.",
     "Protocoles via lesquels accepter les connexions QDX directes\u00a0: TCP, UDP, ou les deux "
     "séparés par une virgule.",
     "Protocolos pelos quais aceitar conexões QDX diretas: TCP, UDP ou ambos separados por "
     "vírgula."},
    {"smisc_iplisten_param_rfbport", "Port on which to accept direct QDX connections.",
     "Port, an dem direkte QDX-Verbindungen angenommen werden.",
     "Puerto en el que se aceptan conexiones QDX directas.",
     "Port sur lequel accepter les connexions QDX directes.",
     "Porta na qual aceitar conexões QDX diretas."},
    {"smisc_mirrordriver_event_disabled_desc",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver ist installiert, aber deaktiviert, daher erfasst QDX Server den Bildschirm "
     "langsamer.",
     "QDX Mirror Driver está instalado pero desactivado, por lo que QDX Server captura la pantalla "
     "más lentamente.",
     "QDX Mirror Driver est installé mais désactivé\u00a0; QDX Server capture donc l'écran plus "
     "lentement.",
     "O QDX Mirror Driver está instalado, mas desativado, por isso o QDX Server captura a tela "
     "mais lentamente."},
    {"smisc_mirrordriver_event_disabled_sol",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Aktivieren Sie QDX Mirror Driver im Dialog „Optionen“ von QDX Server.",
     "Active QDX Mirror Driver en el cuadro de diálogo Opciones de QDX Server.",
     "Activez QDX Mirror Driver dans la boîte de dialogue Options de QDX Server.",
     "Ative o QDX Mirror Driver na caixa de diálogo Opções do QDX Server."},
    {"smisc_mirrordriver_event_disabled_title", "QDX Mirror Driver is disabled",
     "QDX Mirror Driver ist deaktiviert", "QDX Mirror Driver está desactivado",
     "QDX Mirror Driver est désactivé", "O QDX Mirror Driver está desativado"},
    {"smisc_mirrordriver_event_exception_desc",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver konnte nicht installiert werden. Windows hat folgenden Fehler gemeldet: ",
     "No se ha podido instalar QDX Mirror Driver. Windows ha notificado el siguiente error: ",
     "QDX Mirror Driver n'a pas pu être installé. Windows a signalé l'erreur suivante\u00a0: ",
     "Não foi possível instalar o QDX Mirror Driver. O Windows relatou o seguinte erro: "},
    {"smisc_mirrordriver_event_exception_sol",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Starten Sie den Computer neu, und installieren Sie QDX Mirror Driver erneut. Besteht das "
     "Problem weiterhin, wenden Sie sich an den technischen Support.",
     "Reinicie el equipo y vuelva a instalar QDX Mirror Driver. Si el problema continúa, póngase "
     "en contacto con el soporte técnico.",
     "Redémarrez l'ordinateur et installez de nouveau QDX Mirror Driver. Si le problème persiste, "
     "contactez le support technique.",
     "Reinicie o computador e instale o QDX Mirror Driver novamente. Se o problema persistir, "
     "entre em contato com o suporte técnico."},
    {"smisc_mirrordriver_event_exception_title", "QDX Mirror Driver could not be installed",
     "QDX Mirror Driver konnte nicht installiert werden",
     "No se ha podido instalar QDX Mirror Driver", "QDX Mirror Driver n'a pas pu être installé",
     "Não foi possível instalar o QDX Mirror Driver"},
    {"smisc_mirrordriver_event_reboot_desc",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver wurde installiert, kann aber erst nach einem Neustart des Computers "
     "verwendet werden.",
     "QDX Mirror Driver se ha instalado, pero no se puede usar hasta que se reinicie el equipo.",
     "QDX Mirror Driver a été installé, mais il ne peut pas être utilisé avant le redémarrage de "
     "l'ordinateur.",
     "O QDX Mirror Driver foi instalado, mas só poderá ser usado depois que o computador for "
     "reiniciado."},
    {"smisc_mirrordriver_event_reboot_sol", "Restart the computer.",
     "Starten Sie den Computer neu.", "Reinicie el equipo.", "Redémarrez l'ordinateur.",
     "Reinicie o computador."},
    {"smisc_mirrordriver_event_reboot_title", "Restart required to use QDX Mirror Driver",
     "Für QDX Mirror Driver ist ein Neustart erforderlich",
     "Es necesario reiniciar para usar QDX Mirror Driver",
     "Redémarrage nécessaire pour utiliser QDX Mirror Driver",
     "É necessário reiniciar para usar o QDX Mirror Driver"},
    {"smisc_mirrordriver_event_session_desc",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver kann in der aktuellen Sitzung nicht verwendet werden, daher erfasst QDX "
     "Server den Bildschirm langsamer.",
     "QDX Mirror Driver no se puede usar en la sesión actual, por lo que QDX Server captura la "
     "pantalla más lentamente.",
     "QDX Mirror Driver ne peut pas être utilisé dans la session en cours\u00a0; QDX Server "
     "capture donc l'écran plus lentement.",
     "O QDX Mirror Driver não pode ser usado na sessão atual, por isso o QDX Server captura a tela "
     "mais lentamente."},
    {"smisc_mirrordriver_event_session_sol",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Verbinden Sie sich mit der Konsolensitzung dieses Computers, oder deaktivieren Sie QDX "
     "Mirror Driver.",
     "Conéctese a la sesión de consola de este equipo o desactive QDX Mirror Driver.",
     "Connectez-vous à la session console de cet ordinateur, ou désactivez QDX Mirror Driver.",
     "Conecte-se à sessão de console deste computador ou desative o QDX Mirror Driver."},
    {"smisc_mirrordriver_event_session_title", "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver ist in dieser Sitzung nicht verfügbar",
     "QDX Mirror Driver no está disponible en esta sesión",
     "QDX Mirror Driver n'est pas disponible dans cette session",
     "O QDX Mirror Driver não está disponível nesta sessão"},
    {"smisc_mirrordriver_event_unavailable_desc",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver ist nicht installiert oder unterstützt diese Windows-Version nicht, daher "
     "erfasst QDX Server den Bildschirm langsamer.",
     "QDX Mirror Driver no está instalado o no es compatible con esta versión de Windows, por lo "
     "que QDX Server captura la pantalla más lentamente.",
     "QDX Mirror Driver n'est pas installé ou ne prend pas en charge cette version de "
     "Windows\u00a0; QDX Server capture donc l'écran plus lentement.",
     "O QDX Mirror Driver não está instalado ou não é compatível com esta versão do Windows, por "
     "isso o QDX Server captura a tela mais lentamente."},
    {"smisc_mirrordriver_event_unavailable_sol",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Installieren Sie QDX Mirror Driver, oder deaktivieren Sie ihn im Dialog „Optionen“ von QDX "
     "Server.",
     "Instale QDX Mirror Driver o desactívelo en el cuadro de diálogo Opciones de QDX Server.",
     "Installez QDX Mirror Driver, ou désactivez-le dans la boîte de dialogue Options de QDX "
     "Server.",
     "Instale o QDX Mirror Driver ou desative-o na caixa de diálogo Opções do QDX Server."},
    {"smisc_mirrordriver_event_unavailable_title", "QDX Mirror Driver is not available",
     "QDX Mirror Driver ist nicht verfügbar", "QDX Mirror Driver no está disponible",
     "QDX Mirror Driver n'est pas disponible", "O QDX Mirror Driver não está disponível"},
    {"smisc_needs_admin_after_runas",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "Für diesen Vorgang sind Administratorrechte erforderlich. Führen Sie den Befehl erneut als "
     "Administrator aus.",
     "Esta operación requiere derechos de administrador. Vuelva a ejecutar el comando como "
     "administrador.",
     "Cette opération nécessite des droits d'administrateur. Exécutez de nouveau la commande en "
     "tant qu'administrateur.",
     "Esta operação requer direitos de administrador. Execute o comando novamente como "
     "administrador."},
    {"smisc_noconsole_usage", "Run without opening a console window.",
     "Ohne Konsolenfenster ausführen.", "Ejecutar sin abrir una ventana de consola.",
     "S'exécuter sans ouvrir de fenêtre de console.", "Executar sem abrir uma janela de console."},
    {"smisc_permissionscontrol_param_permissions",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "Die Benutzer und Gruppen, die sich mit QDX Server verbinden dürfen, und die Berechtigungen, "
     "die jedem von ihnen gewährt werden.",
     "Usuarios y grupos que pueden conectarse a QDX Server y permisos que se conceden a cada uno "
     "de ellos.",
     "Utilisateurs et groupes autorisés à se connecter à QDX Server, et autorisations accordées à "
     "chacun d'eux.",
     "Usuários e grupos que podem se conectar ao QDX Server e as permissões concedidas a cada um "
     "deles."},
    {"smisc_permissionssystemauth_add_btn", "&Add...", "&Hinzufügen...", "&Agregar...",
     "&Ajouter...", "&Adicionar..."},
    {"smisc_permissionssystemauth_add_btn_tip", "Add a user or group",
     "Benutzer oder Gruppe hinzufügen", "Agregar un usuario o grupo",
     "Ajouter un utilisateur ou un groupe", "Adicionar um usuário ou grupo"},
    {"smisc_permissionssystemauth_dialog_name", "Name:", "Name:", "Nombre:", "Nom\u00a0:", "Nome:"},
    {"smisc_permissionssystemauth_dialog_title", "Add User or Group",
     "Benutzer oder Gruppe hinzufügen", "Agregar usuario o grupo",
     "Ajouter un utilisateur ou un groupe", "Adicionar usuário ou grupo"},
    {"smisc_permissionssystemauth_dialog_type", "Type:", "Typ:", "Tipo:", "Type\u00a0:", "Tipo:"},
    {"smisc_permissionssystemauth_dialog_type_group", "Group", "Gruppe", "Grupo", "Groupe",
     "Grupo"},
    {"smisc_permissionssystemauth_dialog_type_user", "User", "Benutzer", "Usuario", "Utilisateur",
     "Usuário"},
    {"smisc_permissionssystemauth_remove_btn", "&Remove", "&Entfernen", "&Quitar", "&Supprimer",
     "&Remover"},
    {"smisc_permissionssystemauth_remove_btn_tip", "Remove the selected user or group",
     "Ausgewählten Benutzer oder ausgewählte Gruppe entfernen",
     "Quitar el usuario o grupo seleccionado", "Supprimer l'utilisateur ou le groupe sélectionné",
     "Remover o usuário ou grupo selecionado"},
    {"smisc_permsqdxauth_add_btn", "&Add...", "&Hinzufügen...", "&Agregar...", "&Ajouter...",
     "&Adicionar..."},
    {"smisc_permsqdxauth_add_btn_tip", "Add a user", "Benutzer hinzufügen", "Agregar un usuario",
     "Ajouter un utilisateur", "Adicionar um usuário"},
    {"smisc_permsqdxauth_help_user",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Legen Sie für jede Benutzerart ein QDX-Kennwort fest. QDX-Viewer-Benutzer geben das Kennwort "
     "ein, das ihnen den benötigten Zugriff gewährt.",
     "Especifique una contraseña de QDX para cada tipo de usuario. Los usuarios de QDX Viewer "
     "introducen la contraseña que les da el acceso que necesitan.",
     "Définissez un mot de passe QDX pour chaque type d'utilisateur. Les utilisateurs de QDX "
     "Viewer saisissent le mot de passe qui leur donne l'accès dont ils ont besoin.",
     "Especifique uma senha do QDX para cada tipo de usuário. Os usuários do QDX Viewer digitam a "
     "senha que lhes dá o acesso de que precisam."},
    {"smisc_permsqdxauth_invalid_nousers", "At least one user must have a QDX password.",
     "Mindestens ein Benutzer muss ein QDX-Kennwort haben.",
     "Al menos un usuario debe tener una contraseña de QDX.",
     "Au moins un utilisateur doit avoir un mot de passe QDX.",
     "Pelo menos um usuário deve ter uma senha do QDX."},
    {"smisc_permsqdxauth_password_btn", "&Password...", "&Kennwort...", "&Contraseña...",
     "&Mot de passe...", "&Senha..."},
    {"smisc_permsqdxauth_password_btn_tip", "Change the QDX password of the selected user",
     "QDX-Kennwort des ausgewählten Benutzers ändern",
     "Cambiar la contraseña de QDX del usuario seleccionado",
     "Modifier le mot de passe QDX de l'utilisateur sélectionné",
     "Alterar a senha do QDX do usuário selecionado"},
    {"smisc_permsqdxauth_password_removal",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Wenn Sie diesen Benutzer entfernen, wird auch sein QDX-Kennwort entfernt. Möchten Sie "
     "fortfahren?",
     "Al quitar este usuario también se quitará su contraseña de QDX. ¿Desea continuar?",
     "La suppression de cet utilisateur supprime aussi son mot de passe QDX. Voulez-vous "
     "continuer\u00a0?",
     "Remover este usuário também remove a senha do QDX dele. Deseja continuar?"},
    {"smisc_permsqdxauth_remove_btn", "&Remove", "&Entfernen", "&Quitar", "&Supprimer", "&Remover"},
    {"smisc_permsqdxauth_remove_btn_tip", "Remove the selected user",
     "Ausgewählten Benutzer entfernen", "Quitar el usuario seleccionado",
     "Supprimer l'utilisateur sélectionné", "Remover o usuário selecionado"},
    {"smisc_permsqdxauth_user_admin", "Administrator", "Administrator", "Administrador",
     "Administrateur", "Administrador"},
    {"smisc_permsqdxauth_user_standard", "Standard user", "Standardbenutzer", "Usuario estándar",
     "Utilisateur standard", "Usuário padrão"},
    {"smisc_permsqdxauth_user_viewonly", "View-only user",
     "Benutzer mit reiner Anzeigeberechtigung", "Usuario de solo visualización",
     "Utilisateur en affichage seul", "Usuário somente de visualização"},
    {"smisc_powersettings_on_battery_event_desc",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "Dieser Computer wird mit Akkustrom betrieben und kann in den Ruhezustand wechseln, sodass "
     "QDX Server nicht erreichbar ist.",
     "Este equipo funciona con batería y puede entrar en suspensión, con lo que QDX Server dejaría "
     "de estar disponible.",
     "Cet ordinateur fonctionne sur batterie et peut passer en veille, ce qui rendrait QDX Server "
     "indisponible.",
     "Este computador está funcionando com bateria e pode entrar em suspensão, deixando o QDX "
     "Server indisponível."},
    {"smisc_powersettings_on_battery_event_sol", "Connect this computer to a power supply.",
     "Schließen Sie diesen Computer an die Stromversorgung an.",
     "Conecte este equipo a una fuente de alimentación.", "Branchez cet ordinateur sur le secteur.",
     "Conecte este computador a uma fonte de energia."},
    {"smisc_powersettings_on_battery_event_title", "This computer is running on battery power",
     "Dieser Computer wird mit Akkustrom betrieben", "Este equipo funciona con batería",
     "Cet ordinateur fonctionne sur batterie", "Este computador está funcionando com bateria"},
    {"smisc_powersettings_sleep_event_battery_desc",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "Dieser Computer ist so eingestellt, dass er im Akkubetrieb nach einer bestimmten Zeit der "
     "Inaktivität in den Ruhezustand wechselt. Solange er im Ruhezustand ist, können sich "
     "QDX-Viewer-Benutzer nicht verbinden.",
     "Este equipo está configurado para entrar en suspensión tras un periodo de inactividad cuando "
     "funciona con batería. Los usuarios de QDX Viewer no pueden conectarse mientras está en "
     "suspensión.",
     "Cet ordinateur est configuré pour passer en veille après une période d'inactivité lorsqu'il "
     "fonctionne sur batterie. Les utilisateurs de QDX Viewer ne peuvent pas se connecter pendant "
     "sa mise en veille.",
     "Este computador está configurado para entrar em suspensão após um período de inatividade "
     "quando funciona com bateria. Os usuários do QDX Viewer não podem se conectar enquanto ele "
     "estiver em suspensão."},
    {"smisc_powersettings_sleep_event_desc",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "Dieser Computer ist so eingestellt, dass er nach einer bestimmten Zeit der Inaktivität in "
     "den Ruhezustand wechselt. Solange er im Ruhezustand ist, können sich QDX-Viewer-Benutzer "
     "nicht verbinden.",
     "Este equipo está configurado para entrar en suspensión tras un periodo de inactividad. Los "
     "usuarios de QDX Viewer no pueden conectarse mientras está en suspensión.",
     "Cet ordinateur est configuré pour passer en veille après une période d'inactivité. Les "
     "utilisateurs de QDX Viewer ne peuvent pas se connecter pendant sa mise en veille.",
     "Este computador está configurado para entrar em suspensão após um período de inatividade. Os "
     "usuários do QDX Viewer não podem se conectar enquanto ele estiver em suspensão."},
    {"smisc_powersettings_sleep_event_sol",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Ändern Sie die Energieeinstellungen dieses Computers so, dass er nie in den Ruhezustand "
     "wechselt.",
     "Cambie la configuración de energía de este equipo para que nunca entre en suspensión.",
     "Modifiez les paramètres d'alimentation de cet ordinateur pour qu'il ne passe jamais en "
     "veille.",
     "Altere as configurações de energia deste computador para que ele nunca entre em suspensão."},
    {"smisc_powersettings_sleep_event_title", "This computer may go to sleep",
     "Dieser Computer kann in den Ruhezustand wechseln", "Este equipo puede entrar en suspensión",
     "Cet ordinateur peut passer en veille", "Este computador pode entrar em suspensão"},
    {"smisc_privacymode_screenblanker_permission_desc",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server benötigt die Berechtigung, den Bildschirm dieses Computers abzudunkeln, während "
     "QDX-Viewer-Benutzer verbunden sind.",
     "QDX Server necesita permiso para oscurecer la pantalla de este equipo mientras haya usuarios "
     "de QDX Viewer conectados.",
     "QDX Server a besoin de l'autorisation d'occulter l'écran de cet ordinateur pendant que des "
     "utilisateurs de QDX Viewer sont connectés.",
     "O QDX Server precisa de permissão para apagar a tela deste computador enquanto houver "
     "usuários do QDX Viewer conectados."},
    {"smisc_qdxauthuserdlg_confirm_password", "Confirm password:", "Kennwort bestätigen:",
     "Confirmar contraseña:", "Confirmer le mot de passe\u00a0:", "Confirmar senha:"},
    {"smisc_qdxauthuserdlg_enter_password",
     "Password:", "Kennwort:", "Contraseña:", "Mot de passe\u00a0:", "Senha:"},
    {"smisc_qdxauthuserdlg_info_notmatch", "Please specify the same password.",
     "Bitte geben Sie dasselbe Kennwort ein.", "Especifique la misma contraseña.",
     "Veuillez saisir le même mot de passe.", "Especifique a mesma senha."},
    {"smisc_qdxauthuserdlg_info_password", "Please specify a password.",
     "Bitte geben Sie ein Kennwort ein.", "Especifique una contraseña.",
     "Veuillez saisir un mot de passe.", "Especifique uma senha."},
    {"smisc_qdxauthuserdlg_info_too_short", "The password must have a minimum of 6 characters.",
     "Das Kennwort muss mindestens 6 Zeichen lang sein.",
     "La contraseña debe tener un mínimo de 6 caracteres.",
     "Le mot de passe doit comporter au moins 6 caractères.",
     "A senha deve ter no mínimo 6 caracteres."},
    {"smisc_qdxauthuserdlg_legacy_chk", "Allow legacy QDX Viewer users to connect",
     "Verbindungen von QDX-Viewer-Benutzern älterer Versionen zulassen",
     "Permitir que se conecten usuarios de versiones antiguas de QDX Viewer",
     "Autoriser la connexion des utilisateurs d'anciennes versions de QDX Viewer",
     "Permitir que usuários de versões antigas do QDX Viewer se conectem"},
    {"smisc_qdxauthuserdlg_legacy_toolong",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "QDX-Viewer-Benutzer älterer Versionen benötigen zum Verbinden nur die ersten 8 Zeichen Ihres "
     "QDX-Kennworts. Deaktivieren Sie das Kontrollkästchen, um Verbindungen dieser Benutzer zu "
     "verhindern.",
     "Los usuarios de versiones antiguas de QDX Viewer solo necesitarán los 8 primeros caracteres "
     "de su contraseña de QDX para conectarse. Para impedir las conexiones de estos usuarios, "
     "desactive la casilla.",
     "Les utilisateurs d'anciennes versions de QDX Viewer n'auront besoin que des 8 premiers "
     "caractères de votre mot de passe QDX pour se connecter. Pour empêcher les connexions de ces "
     "utilisateurs, décochez la case.",
     "Os usuários de versões antigas do QDX Viewer só precisarão dos 8 primeiros caracteres da sua "
     "senha do QDX para se conectar. Para impedir conexões desses usuários, desmarque a caixa de "
     "seleção."},
    {"smisc_qdxauthuserdlg_title_add", "Add user", "Benutzer hinzufügen", "Agregar usuario",
     "Ajouter un utilisateur", "Adicionar usuário"},
    {"smisc_qdxauthuserdlg_title_edit", "Specify QDX password", "QDX-Kennwort festlegen",
     "Especificar contraseña de QDX", "Définir le mot de passe QDX", "Especificar senha do QDX"},
    {"smisc_qdxauthuserdlg_user",
     "User:", "Benutzer:", "Usuario:", "Utilisateur\u00a0:", "Usuário:"},
    {"smisc_queryconnect_action_accept", "Accept", "Annehmen", "Aceptar", "Accepter", "Aceitar"},
    {"smisc_queryconnect_action_reject", "Reject", "Ablehnen", "Rechazar", "Refuser", "Rejeitar"},
    {"smisc_queryconnect_action_viewonly", "View only", "Nur anzeigen", "Solo ver",
     "Affichage seul", "Somente visualizar"},
    {"smisc_queryconnect_already", "Another connection request is already waiting for an answer.",
     "Eine andere Verbindungsanfrage wartet bereits auf eine Antwort.",
     "Ya hay otra solicitud de conexión esperando respuesta.",
     "Une autre demande de connexion attend déjà une réponse.",
     "Outra solicitação de conexão já está aguardando resposta."},
    {"smisc_queryconnect_consequence",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "Wenn Sie in den nächsten %1$D Sekunden nichts unternehmen, wird die Anfrage %2$S.",
     "Si no hace nada en los próximos %1$D segundos, la solicitud será %2$S.",
     "Si vous ne faites rien dans les %1$D prochaines secondes, la demande sera %2$S.",
     "Se você não fizer nada nos próximos %1$D segundos, a solicitação será %2$S."},
    {"smisc_queryconnect_failed",
     "The connection request could not be shown, so the connection was rejected.",
     "Die Verbindungsanfrage konnte nicht angezeigt werden, daher wurde die Verbindung abgelehnt.",
     "No se ha podido mostrar la solicitud de conexión, por lo que la conexión se ha rechazado.",
     "La demande de connexion n'a pas pu être affichée\u00a0; la connexion a donc été refusée.",
     "Não foi possível exibir a solicitação de conexão, por isso a conexão foi rejeitada."},
    {"smisc_queryconnect_header", "Incoming connection request", "Eingehende Verbindungsanfrage",
     "Solicitud de conexión entrante", "Demande de connexion entrante",
     "Solicitação de conexão de entrada"},
    {"smisc_queryconnect_param_message",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Meldung in der Abfrage bei eingehenden Verbindungen, höchstens 4096 UTF-8-Bytes. Eine stark "
     "eingeschränkte Form von HTML wird unterstützt. Die Zeichen &<>\"' müssen wie in HTML "
     "maskiert werden.",
     "Mensaje que se usa en el aviso de solicitud de conexión, con una longitud máxima de 4096 "
     "bytes UTF-8. Se admite una forma muy restringida de HTML. Los caracteres &<>\"' deben "
     "escaparse como en HTML.",
     "Message affiché dans l'invite de demande de connexion, d'une longueur maximale de 4096 "
     "octets UTF-8. Une forme très restreinte de HTML est prise en charge. Les caractères &<>\"' "
     "doivent être échappés comme en HTML.",
     "Mensagem a usar no aviso de solicitação de conexão, com no máximo 4096 bytes UTF-8. É aceita "
     "uma forma muito restrita de HTML. Os caracteres &<>\"' devem ser escapados como em HTML."},
    {"smisc_queryconnect_param_queryconnect",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Den Benutzer dieses Computers jede eingehende Verbindung annehmen oder ablehnen lassen.",
     "Pedir al usuario de este equipo que acepte o rechace cada conexión entrante.",
     "Demander à l'utilisateur de cet ordinateur d'accepter ou de refuser chaque connexion "
     "entrante.",
     "Pedir ao usuário deste computador que aceite ou rejeite cada conexão de entrada."},
    {"smisc_queryconnect_param_queryifloggedon",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Nur dann zum Annehmen oder Ablehnen von Verbindungen auffordern, wenn ein Benutzer an diesem "
     "Computer angemeldet ist.",
     "Pedir que se acepten o rechacen las conexiones solo cuando haya un usuario con la sesión "
     "iniciada en este equipo.",
     "Ne demander d'accepter ou de refuser les connexions que lorsqu'un utilisateur a ouvert une "
     "session sur cet ordinateur.",
     "Pedir que as conexões sejam aceitas ou rejeitadas somente quando houver um usuário conectado "
     "a este computador."},
    {"smisc_queryconnect_param_queryofferviewonly",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "In der Abfrage zum Annehmen oder Ablehnen die Möglichkeit anbieten, eine Verbindung nur mit "
     "Anzeigeberechtigung anzunehmen.",
     "Ofrecer en el aviso de aceptación o rechazo la opción de aceptar una conexión con permisos "
     "de solo visualización.",
     "Proposer, dans l'invite d'acceptation ou de refus, d'accepter une connexion avec des "
     "autorisations d'affichage seul.",
     "Oferecer, no aviso de aceitação ou rejeição, a opção de aceitar uma conexão com permissões "
     "somente de visualização."},
    {"smisc_queryconnect_param_timeout",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "Dauer in Sekunden, für die die Abfrage zum Annehmen oder Ablehnen angezeigt wird, bevor "
     "Verbindungen automatisch die Berechtigungen für Zeitüberschreitung erhalten.",
     "Número de segundos durante los que se muestra el aviso de aceptación o rechazo antes de que "
     "las conexiones reciban automáticamente los permisos de tiempo de espera.",
     "Durée d'affichage, en secondes, de l'invite d'acceptation ou de refus avant que les "
     "connexions reçoivent automatiquement les autorisations d'expiration.",
     "Número de segundos durante os quais o aviso de aceitação ou rejeição é exibido antes que as "
     "conexões recebam automaticamente as permissões de tempo esgotado."},
    {"smisc_queryconnect_param_timeoutrights",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "Die Berechtigungen, die eine Verbindung automatisch erhält, wenn bei der Abfrage zum "
     "Annehmen oder Ablehnen die Zeit abläuft; leer lassen, um die Verbindung abzulehnen.",
     "Permisos que se conceden automáticamente a una conexión cuando se agota el tiempo del aviso "
     "de aceptación o rechazo; déjelo vacío para rechazar la conexión.",
     "Autorisations accordées automatiquement à une connexion lorsque l'invite d'acceptation ou de "
     "refus expire, ou vide pour refuser la connexion.",
     "Permissões concedidas automaticamente a uma conexão quando o tempo do aviso de aceitação ou "
     "rejeição se esgota, ou vazio para rejeitar a conexão."},
    {"smisc_queryconnect_prompt_admin_marked_up",
     "A user with administrative rights is requesting remote access to your computer.",
     "Ein Benutzer mit Administratorrechten fordert Fernzugriff auf Ihren Computer an.",
     "Un usuario con derechos de administrador solicita acceso remoto a su equipo.",
     "Un utilisateur disposant de droits d'administrateur demande un accès à distance à votre "
     "ordinateur.",
     "Um usuário com direitos de administrador está solicitando acesso remoto ao seu computador."},
    {"smisc_queryconnect_prompt_anon_marked_up",
     "An anonymous user is requesting remote access to your computer.",
     "Ein anonymer Benutzer fordert Fernzugriff auf Ihren Computer an.",
     "Un usuario anónimo solicita acceso remoto a su equipo.",
     "Un utilisateur anonyme demande un accès à distance à votre ordinateur.",
     "Um usuário anônimo está solicitando acesso remoto ao seu computador."},
    {"smisc_queryconnect_prompt_guest_marked_up",
     "A guest is requesting remote access to your computer.",
     "Ein Gast fordert Fernzugriff auf Ihren Computer an.",
     "Un invitado solicita acceso remoto a su equipo.",
     "Un invité demande un accès à distance à votre ordinateur.",
     "Um convidado está solicitando acesso remoto ao seu computador."},
    {"smisc_queryconnect_prompt_inputonly_marked_up",
     "A user is requesting to control your computer without seeing its screen.",
     "Ein Benutzer möchte Ihren Computer steuern, ohne den Bildschirm zu sehen.",
     "Un usuario solicita controlar su equipo sin ver su pantalla.",
     "Un utilisateur demande à contrôler votre ordinateur sans voir son écran.",
     "Um usuário está solicitando controlar seu computador sem ver a tela."},
    {"smisc_queryconnect_prompt_name_marked_up_fmt",
     "User \"%S\" is requesting remote access to your computer.",
     "Benutzer „%S“ fordert Fernzugriff auf Ihren Computer an.",
     "El usuario \"%S\" solicita acceso remoto a su equipo.",
     "L'utilisateur «\u00a0%S\u00a0» demande un accès à distance à votre ordinateur.",
     "O usuário \"%S\" está solicitando acesso remoto ao seu computador."},
    {"smisc_queryconnect_prompt_viewonly_marked_up",
     "A user is requesting to see your screen without controlling your computer.",
     "Ein Benutzer möchte Ihren Bildschirm sehen, ohne Ihren Computer zu steuern.",
     "Un usuario solicita ver su pantalla sin controlar su equipo.",
     "Un utilisateur demande à voir votre écran sans contrôler votre ordinateur.",
     "Um usuário está solicitando ver sua tela sem controlar seu computador."},
    {"smisc_queryconnect_text_accepted", "accepted", "angenommen", "aceptada", "acceptée",
     "aceita"},
    {"smisc_queryconnect_text_rejected", "rejected", "abgelehnt", "rechazada", "refusée",
     "rejeitada"},
    {"smisc_queryconnect_title", "Tessary Server - Connection Request",
     "Tessary Server - Verbindungsanfrage", "Tessary Server - Solicitud de conexión",
     "Tessary Server - Demande de connexion", "Tessary Server - Solicitação de conexão"},
    {"smisc_rootsecurity_param_rootsecurity",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "Wenn QDX Server mit Root-Rechten ausgeführt wird, nur Administratoren dieses Computers die "
     "Verbindung erlauben.",
     "Cuando QDX Server se ejecuta con privilegios de root, permitir que solo se conecten los "
     "administradores de este equipo.",
     "Lorsque QDX Server s'exécute avec les privilèges root, n'autoriser la connexion qu'aux "
     "administrateurs de cet ordinateur.",
     "Quando o QDX Server for executado com privilégios de root, permitir que somente "
     "administradores deste computador se conectem."},
    {"smisc_rsakey_event_no_signature_desc",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server konnte seinen privaten Schlüssel weder lesen noch erstellen, daher können "
     "QDX-Viewer-Benutzer die Identität dieses Computers nicht überprüfen.",
     "QDX Server no ha podido leer ni crear su clave privada, por lo que los usuarios de QDX "
     "Viewer no pueden comprobar la identidad de este equipo.",
     "QDX Server n'a pas pu lire ni créer sa clé privée\u00a0; les utilisateurs de QDX Viewer ne "
     "peuvent donc pas vérifier l'identité de cet ordinateur.",
     "O QDX Server não conseguiu ler nem criar sua chave privada, por isso os usuários do QDX "
     "Viewer não podem verificar a identidade deste computador."},
    {"smisc_rsakey_event_no_signature_sol",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Prüfen Sie, ob die Datei des privaten Schlüssels gelesen und geschrieben werden kann, oder "
     "löschen Sie sie, damit QDX Server beim nächsten Start einen neuen Schlüssel erstellt.",
     "Compruebe que el archivo de la clave privada se puede leer y escribir, o elimínelo para que "
     "QDX Server cree una clave nueva la próxima vez que se inicie.",
     "Vérifiez que le fichier de la clé privée est accessible en lecture et en écriture, ou "
     "supprimez-le pour que QDX Server crée une nouvelle clé à son prochain démarrage.",
     "Verifique se o arquivo da chave privada pode ser lido e gravado, ou exclua-o para que o QDX "
     "Server crie uma nova chave na próxima vez que for iniciado."},
    {"smisc_rsakey_event_no_signature_title", "QDX Server cannot prove its identity",
     "QDX Server kann seine Identität nicht nachweisen",
     "QDX Server no puede demostrar su identidad", "QDX Server ne peut pas prouver son identité",
     "O QDX Server não consegue comprovar sua identidade"},
    {"smisc_rsakey_generating", "Generating secure key.  Please wait...",
     "Sicherer Schlüssel wird erstellt.  Bitte warten...", "Generando clave segura.  Espere...",
     "Génération de la clé sécurisée.  Veuillez patienter...", "Gerando chave segura.  Aguarde..."},
    {"smisc_rsakeyfile_param_privatekeyfile",
     "The file in which QDX Server stores its private key.",
     "Die Datei, in der QDX Server seinen privaten Schlüssel speichert.",
     "Archivo en el que QDX Server guarda su clave privada.",
     "Fichier dans lequel QDX Server enregistre sa clé privée.",
     "Arquivo no qual o QDX Server armazena sua chave privada."},
    {"smisc_rsakeygenerate_usage",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Einen neuen privaten Schlüssel für QDX Server erstellen und den vorhandenen ersetzen.",
     "Generar una clave privada nueva para QDX Server que sustituya a la existente.",
     "Générer une nouvelle clé privée pour QDX Server, qui remplace la clé existante.",
     "Gerar uma nova chave privada para o QDX Server, substituindo a existente."},
    {"smisc_securityqdxauth_event_no_password_desc",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "Die Authentifizierung mit QDX-Kennwort ist ausgewählt, aber es wurde kein QDX-Kennwort "
     "festgelegt, daher können sich QDX-Viewer-Benutzer nicht verbinden.",
     "Está seleccionada la autenticación con contraseña de QDX, pero no se ha especificado ninguna "
     "contraseña de QDX, por lo que los usuarios de QDX Viewer no pueden conectarse.",
     "L'authentification par mot de passe QDX est sélectionnée, mais aucun mot de passe QDX n'a "
     "été défini\u00a0; les utilisateurs de QDX Viewer ne peuvent donc pas se connecter.",
     "A autenticação por senha do QDX está selecionada, mas nenhuma senha do QDX foi especificada, "
     "por isso os usuários do QDX Viewer não podem se conectar."},
    {"smisc_securityqdxauth_event_no_password_sol", "Specify a QDX password for at least one user.",
     "Legen Sie für mindestens einen Benutzer ein QDX-Kennwort fest.",
     "Especifique una contraseña de QDX para al menos un usuario.",
     "Définissez un mot de passe QDX pour au moins un utilisateur.",
     "Especifique uma senha do QDX para pelo menos um usuário."},
    {"smisc_securityqdxauth_event_no_password_title", "No QDX password has been specified",
     "Es wurde kein QDX-Kennwort festgelegt", "No se ha especificado ninguna contraseña de QDX",
     "Aucun mot de passe QDX n'a été défini", "Nenhuma senha do QDX foi especificada"},
    {"smisc_securitysystemauth_event_log_desc",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server protokolliert Verbindungen im Sicherheitsprotokoll dieses Computers, konnte aber "
     "nicht darin schreiben.",
     "QDX Server registra las conexiones en el registro de seguridad de este equipo, pero no ha "
     "podido escribir en él.",
     "QDX Server consigne les connexions dans le journal de sécurité de cet ordinateur, mais n'a "
     "pas pu y écrire.",
     "O QDX Server registra as conexões no log de segurança deste computador, mas não conseguiu "
     "gravar nele."},
    {"smisc_securitysystemauth_event_log_sol_full",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "Das Sicherheitsprotokoll ist voll. Leeren Sie es, oder ändern Sie seine Einstellungen so, "
     "dass alte Ereignisse bei Bedarf überschrieben werden.",
     "El registro de seguridad está lleno. Vacíelo o cambie su configuración para que los eventos "
     "antiguos se sobrescriban cuando sea necesario.",
     "Le journal de sécurité est plein. Videz-le, ou modifiez ses paramètres pour que les anciens "
     "événements soient remplacés si nécessaire.",
     "O log de segurança está cheio. Limpe-o ou altere as configurações dele para que os eventos "
     "antigos sejam substituídos conforme necessário."},
    {"smisc_securitysystemauth_event_log_sol_unconnectable",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX-Viewer-Benutzer können sich erst verbinden, wenn QDX Server in das Sicherheitsprotokoll "
     "schreiben kann. Prüfen Sie die Einstellungen des Sicherheitsprotokolls dieses Computers.",
     "Los usuarios de QDX Viewer no podrán conectarse hasta que QDX Server pueda escribir en el "
     "registro de seguridad. Revise la configuración del registro de seguridad de este equipo.",
     "Les utilisateurs de QDX Viewer ne pourront pas se connecter tant que QDX Server ne pourra "
     "pas écrire dans le journal de sécurité. Vérifiez les paramètres du journal de sécurité de "
     "cet ordinateur.",
     "Os usuários do QDX Viewer só poderão se conectar quando o QDX Server conseguir gravar no log "
     "de segurança. Verifique as configurações do log de segurança deste computador."},
    {"smisc_securitysystemauth_event_log_title", "QDX Server cannot write to the security log",
     "QDX Server kann nicht in das Sicherheitsprotokoll schreiben",
     "QDX Server no puede escribir en el registro de seguridad",
     "QDX Server ne peut pas écrire dans le journal de sécurité",
     "O QDX Server não consegue gravar no log de segurança"},
    {"smisc_serverapp_logged_out", "The user of this computer logged out.",
     "Der Benutzer dieses Computers hat sich abgemeldet.",
     "El usuario de este equipo ha cerrado la sesión.",
     "L'utilisateur de cet ordinateur a fermé sa session.",
     "O usuário deste computador encerrou a sessão."},
    {"smisc_serverapp_param_stopusermodeonswitchout",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "QDX Server im Benutzermodus beenden, wenn sein Benutzer zu einem anderen Benutzerkonto "
     "wechselt.",
     "Detener QDX Server en modo de usuario cuando su usuario cambie a otra cuenta de usuario.",
     "Arrêter QDX Server en mode utilisateur lorsque son utilisateur passe à un autre compte "
     "d'utilisateur.",
     "Encerrar o QDX Server no modo de usuário quando o usuário dele alternar para outra conta de "
     "usuário."},
    {"smisc_serverapp_param_systemsleepbehavior",
     "How QDX Server responds when this computer is about to go to sleep.",
     "Wie QDX Server reagiert, wenn dieser Computer in den Ruhezustand wechseln will.",
     "Cómo responde QDX Server cuando este equipo está a punto de entrar en suspensión.",
     "Comportement de QDX Server lorsque cet ordinateur est sur le point de passer en veille.",
     "Como o QDX Server reage quando este computador está prestes a entrar em suspensão."},
    {"smisc_serverapp_system_suspended", "This computer went to sleep.",
     "Dieser Computer ist in den Ruhezustand gewechselt.", "Este equipo ha entrado en suspensión.",
     "Cet ordinateur est passé en veille.", "Este computador entrou em suspensão."},
    {"smisc_serverapp_user_switch", "The user of this computer switched to another user account.",
     "Der Benutzer dieses Computers hat zu einem anderen Benutzerkonto gewechselt.",
     "El usuario de este equipo ha cambiado a otra cuenta de usuario.",
     "L'utilisateur de cet ordinateur est passé à un autre compte d'utilisateur.",
     "O usuário deste computador alternou para outra conta de usuário."},
    {"smisc_service_desc", "Gives QDX Viewer users remote access to this computer.",
     "Ermöglicht QDX-Viewer-Benutzern den Fernzugriff auf diesen Computer.",
     "Proporciona a los usuarios de QDX Viewer acceso remoto a este equipo.",
     "Donne aux utilisateurs de QDX Viewer un accès à distance à cet ordinateur.",
     "Oferece aos usuários do QDX Viewer acesso remoto a este computador."},
    {"smisc_service_not_automatic", "The QDX Server service is not set to start automatically.",
     "Der Dienst QDX Server ist nicht für den automatischen Start eingerichtet.",
     "El servicio QDX Server no está configurado para iniciarse automáticamente.",
     "Le service QDX Server n'est pas configuré pour démarrer automatiquement.",
     "O serviço QDX Server não está configurado para ser iniciado automaticamente."},
    {"smisc_service_not_directly",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server im Dienstmodus wird vom System gestartet und kann nicht direkt ausgeführt werden.",
     "QDX Server en modo de servicio lo inicia el sistema y no se puede ejecutar directamente.",
     "QDX Server en mode service est démarré par le système et ne peut pas être exécuté "
     "directement.",
     "O QDX Server no modo de serviço é iniciado pelo sistema e não pode ser executado "
     "diretamente."},
    {"smisc_service_param_autologonoverride",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Die Einstellungen für die automatische Anmeldung dieses Computers ignorieren, wenn QDX "
     "Server im Dienstmodus ausgeführt wird.",
     "Omitir la configuración de inicio de sesión automático de este equipo cuando QDX Server se "
     "ejecuta en modo de servicio.",
     "Ignorer les paramètres d'ouverture de session automatique de cet ordinateur lorsque QDX "
     "Server s'exécute en mode service.",
     "Ignorar as configurações de login automático deste computador quando o QDX Server for "
     "executado no modo de serviço."},
    {"smisc_service_usage_start", "Start the QDX Server service, registering it if necessary.",
     "Den Dienst QDX Server starten und bei Bedarf registrieren.",
     "Iniciar el servicio QDX Server y registrarlo si es necesario.",
     "Démarrer le service QDX Server, en l'enregistrant si nécessaire.",
     "Iniciar o serviço QDX Server, registrando-o se necessário."},
    {"smisc_service_usage_status",
     "Report whether the QDX Server service is registered and running.",
     "Melden, ob der Dienst QDX Server registriert ist und ausgeführt wird.",
     "Indicar si el servicio QDX Server está registrado y en ejecución.",
     "Indiquer si le service QDX Server est enregistré et en cours d'exécution.",
     "Informar se o serviço QDX Server está registrado e em execução."},
    {"smisc_service_usage_unregister", "Stop the QDX Server service and unregister it.",
     "Den Dienst QDX Server beenden und seine Registrierung aufheben.",
     "Detener el servicio QDX Server y anular su registro.",
     "Arrêter le service QDX Server et annuler son enregistrement.",
     "Parar o serviço QDX Server e cancelar o registro dele."},
    {"smisc_showstatus_usage",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Das Statusfenster von QDX Server anzeigen und QDX Server bei Bedarf starten.",
     "Mostrar la ventana de estado de QDX Server e iniciar QDX Server si es necesario.",
     "Afficher la fenêtre d'état de QDX Server, en démarrant QDX Server si nécessaire.",
     "Mostrar a janela de status do QDX Server, iniciando o QDX Server se necessário."},
    {"smisc_smoduleguestlogin_param_enablemenu",
     "Show the Guest Access item in the QDX Server menu.",
     "Den Eintrag „Gastzugriff“ im QDX Server-Menü anzeigen.",
     "Mostrar el elemento Acceso de invitado en el menú de QDX Server.",
     "Afficher l'élément Accès invité dans le menu de QDX Server.",
     "Mostrar o item Acesso de convidado no menu do QDX Server."},
    {"smisc_suimoduleaddclient_mi_connect", "Connect to Listening QDX Viewer...",
     "Mit Listening QDX Viewer verbinden...", "Conectar a Listening QDX Viewer...",
     "Se connecter à Listening QDX Viewer...", "Conectar ao Listening QDX Viewer..."},
    {"smisc_suimoduledisconnectclient_mi_disconnect", "Disconnect All Users",
     "Alle Benutzer trennen", "Desconectar a todos los usuarios",
     "Déconnecter tous les utilisateurs", "Desconectar todos os usuários"},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_mac",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "Was geschieht, wenn der letzte QDX-Viewer-Benutzer die Verbindung trennt: nichts, Bildschirm "
     "sperren oder Benutzer abmelden.",
     "Qué hacer cuando se desconecta el último usuario de QDX Viewer: nada, bloquear la pantalla o "
     "cerrar la sesión del usuario.",
     "Action à effectuer lorsque le dernier utilisateur de QDX Viewer se déconnecte\u00a0: aucune, "
     "verrouiller l'écran ou fermer la session de l'utilisateur.",
     "O que fazer quando o último usuário do QDX Viewer se desconectar: nada, bloquear a tela ou "
     "encerrar a sessão do usuário."},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_win",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "Was geschieht, wenn der letzte QDX-Viewer-Benutzer die Verbindung trennt: nichts, "
     "Arbeitsstation sperren oder Benutzer abmelden.",
     "Qué hacer cuando se desconecta el último usuario de QDX Viewer: nada, bloquear la estación "
     "de trabajo o cerrar la sesión del usuario.",
     "Action à effectuer lorsque le dernier utilisateur de QDX Viewer se déconnecte\u00a0: aucune, "
     "verrouiller la station de travail ou fermer la session de l'utilisateur.",
     "O que fazer quando o último usuário do QDX Viewer se desconectar: nada, bloquear a estação "
     "de trabalho ou fazer logoff do usuário."},
    {"smisc_suimoduleguestlogin_mi_guest", "Guest Access...", "Gastzugriff...",
     "Acceso de invitado...", "Accès invité...", "Acesso de convidado..."},
    {"smisc_suimodulesecurityqdxauth_optsec_html_fmt",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Benutzer müssen ein eigenes Kennwort für QDX Server eingeben. \n\nSie können dieses Kennwort "
     "auf der Seite <a href=\"%1$S\">Benutzer &amp; Berechtigungen</a> verwalten.",
     "Los usuarios deben introducir una contraseña específica de QDX Server. \n\nPuede administrar "
     "esta contraseña en la página <a href=\"%1$S\">Usuarios &amp; permisos</a>.",
     "Les utilisateurs doivent saisir un mot de passe propre à QDX Server. \n\nVous pouvez gérer "
     "ce mot de passe sur la page <a href=\"%1$S\">Utilisateurs &amp; autorisations</a>.",
     "Os usuários devem digitar uma senha específica do QDX Server. \n\nVocê pode gerenciar essa "
     "senha na página <a href=\"%1$S\">Usuários &amp; permissões</a>."},
    {"smisc_suimodulesystemauth_canon_dname", "%1$S [resolved as %2$S]",
     "%1$S [aufgelöst als %2$S]", "%1$S [resuelto como %2$S]", "%1$S [résolu en %2$S]",
     "%1$S [resolvido como %2$S]"},
    {"smisc_suimodulesystemauth_desktop_owner", "Logged in user [%S]", "Angemeldeter Benutzer [%S]",
     "Usuario con la sesión iniciada [%S]", "Utilisateur connecté [%S]", "Usuário conectado [%S]"},
    {"smisc_suimodulesystemauth_interactive", "Users logged in at this computer",
     "An diesem Computer angemeldete Benutzer", "Usuarios con la sesión iniciada en este equipo",
     "Utilisateurs ayant ouvert une session sur cet ordinateur",
     "Usuários com sessão iniciada neste computador"},
    {"smisc_suimodulesystemauth_optsec",
     "Users must enter the user name and password of their account on this computer.",
     "Benutzer müssen den Benutzernamen und das Kennwort ihres Kontos auf diesem Computer "
     "eingeben.",
     "Los usuarios deben introducir el nombre de usuario y la contraseña de su cuenta en este "
     "equipo.",
     "Les utilisateurs doivent saisir le nom d'utilisateur et le mot de passe de leur compte sur "
     "cet ordinateur.",
     "Os usuários devem digitar o nome de usuário e a senha da conta deles neste computador."},
    {"smisc_suimodulesystemauth_server_owner", "QDX Server owner [%S]",
     "Eigentümer von QDX Server [%S]", "Propietario de QDX Server [%S]",
     "Propriétaire de QDX Server [%S]", "Proprietário do QDX Server [%S]"},
    {"smisc_suimodulesystemauth_unknown_group", "Unknown group", "Unbekannte Gruppe",
     "Grupo desconocido", "Groupe inconnu", "Grupo desconhecido"},
    {"smisc_suimodulesystemauth_unknown_user", "Unknown user", "Unbekannter Benutzer",
     "Usuario desconocido", "Utilisateur inconnu", "Usuário desconhecido"},
    {"smisc_systemnotifier_event_desc",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Mitteilungen für %S wurden ausgeblendet, daher kann QDX Server keine Benachrichtigungen "
     "anzeigen, wenn QDX-Viewer-Benutzer sich verbinden und trennen.",
     "Las notificaciones de %S se han ocultado, por lo que QDX Server no puede mostrar mensajes de "
     "notificación cuando los usuarios de QDX Viewer se conectan y desconectan.",
     "Les notifications de %S ont été masquées\u00a0; QDX Server ne peut donc pas afficher de "
     "messages de notification lorsque des utilisateurs de QDX Viewer se connectent et se "
     "déconnectent.",
     "As notificações de %S foram ocultadas, por isso o QDX Server não pode exibir mensagens de "
     "notificação quando usuários do QDX Viewer se conectam e se desconectam."},
    {"smisc_systemnotifier_event_sol",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Aktivieren Sie die Mitteilungen für QDX Server in den Mitteilungseinstellungen dieses "
     "Computers wieder.",
     "Vuelva a activar las notificaciones de QDX Server en la configuración de notificaciones de "
     "este equipo.",
     "Réactivez les notifications de QDX Server dans les paramètres de notification de cet "
     "ordinateur.",
     "Reative as notificações do QDX Server nas configurações de notificação deste computador."},
    {"smisc_systemnotifier_event_title", "QDX Server cannot display notification messages",
     "QDX Server kann keine Benachrichtigungen anzeigen",
     "QDX Server no puede mostrar mensajes de notificación",
     "QDX Server ne peut pas afficher de messages de notification",
     "O QDX Server não pode exibir mensagens de notificação"},
    {"smisc_systemnotifier_servicemode_name", "QDX Server", "QDX Server", "QDX Server",
     "QDX Server", "QDX Server"},
    {"smisc_systemnotifier_usermode_name", "QDX Server (User mode)", "QDX Server (Benutzermodus)",
     "QDX Server (modo de usuario)", "QDX Server (mode utilisateur)",
     "QDX Server (modo de usuário)"},
    {"smisc_uiiplisten_enable_one", "Allow direct QDX &connections over %S",
     "Direkte QDX-&Verbindungen über %S zulassen",
     "Permitir &conexiones QDX directas a través de %S",
     "Autoriser les &connexions QDX directes via %S", "Permitir &conexões QDX diretas via %S"},
    {"smisc_uiiplisten_enable_two", "Allow direct QDX &connections over %1$S and %2$S",
     "Direkte QDX-&Verbindungen über %1$S und %2$S zulassen",
     "Permitir &conexiones QDX directas a través de %1$S y %2$S",
     "Autoriser les &connexions QDX directes via %1$S et %2$S",
     "Permitir &conexões QDX diretas via %1$S e %2$S"},
    {"smisc_uiiplisten_port", "Port:", "Port:", "Puerto:", "Port\u00a0:", "Porta:"},
    {"smisc_uiiplisten_port_tip", "The port on which QDX Server listens for direct QDX connections",
     "Der Port, an dem QDX Server auf direkte QDX-Verbindungen wartet",
     "Puerto en el que QDX Server espera conexiones QDX directas",
     "Port sur lequel QDX Server écoute les connexions QDX directes",
     "Porta na qual o QDX Server aguarda conexões QDX diretas"},
    {"smisc_upv_event_no_auth_desc",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
     "QDX Server ist so konfiguriert, dass Verbindungen angenommen werden, ohne dass Benutzer ein "
     "Kennwort eingeben müssen. Ihr Computer ist damit anfällig für Portscan-Angriffe und könnte "
     "ohne Ihre Zustimmung gesteuert werden.",
     "QDX Server se ha configurado para aceptar conexiones sin que los usuarios tengan que "
     "introducir una contraseña. Esto significa que su equipo será vulnerable a ataques de escaneo "
     "de puertos y podría controlarse sin su consentimiento.",
     "QDX Server a été configuré pour accepter les connexions sans que les utilisateurs aient à "
     "saisir de mot de passe. Votre ordinateur est donc vulnérable aux attaques par balayage de "
     "ports et pourrait être contrôlé sans votre consentement.",
     "O QDX Server foi configurado para aceitar conexões sem exigir que os usuários digitem uma "
     "senha. Isso significa que seu computador ficará vulnerável a ataques de varredura de portas "
     "e poderá ser controlado sem o seu consentimento."},
    {"smisc_upv_event_no_auth_sol",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Bitte beachten Sie, dass das Deaktivieren des Kennwortschutzes für einen mit dem Internet "
     "verbundenen Computer nie empfohlen wird. Wählen Sie zur Behebung dieses Problems ein "
     "geeignetes Authentifizierungsverfahren aus.",
     "Tenga en cuenta que nunca se recomienda desactivar la protección con contraseña en un equipo "
     "conectado a Internet. Para resolver este problema, seleccione un método de autenticación "
     "adecuado.",
     "Notez qu'il n'est jamais recommandé de désactiver la protection par mot de passe sur un "
     "ordinateur connecté à Internet. Pour résoudre ce problème, sélectionnez un mode "
     "d'authentification approprié.",
     "Observe que nunca é recomendável desativar a proteção por senha em um computador conectado à "
     "Internet. Para resolver esse problema, selecione um esquema de autenticação adequado."},
    {"smisc_upv_event_no_auth_title", "QDX Server is not password-protected",
     "QDX Server ist nicht kennwortgeschützt", "QDX Server no está protegido con contraseña",
     "QDX Server n'est pas protégé par mot de passe", "O QDX Server não está protegido por senha"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("smisc_", kRows, 185, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace smisc

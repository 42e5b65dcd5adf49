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
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500)."},
    {"smisc_addclient_usage_iconnect",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "QDX Server bei Bedarf starten und dann mit Listening QDX Viewer auf HOST an PORT (Standard "
     "5500) verbinden.",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500)."},
    {"smisc_addclientdialog_client",
     "QDX Viewer:", "QDX Viewer:", "QDX Viewer:", "QDX Viewer:", "QDX Viewer:"},
    {"smisc_addclientdialog_connect", "Connect", "Verbinden", "Connect", "Connect", "Connect"},
    {"smisc_addclientdialog_param_disablemenu",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Verhindern, dass Benutzer QDX Server über das QDX Server-Menü mit Listening QDX Viewer "
     "verbinden.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu."},
    {"smisc_addclientdialog_title", "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Mit Listening QDX Viewer verbinden",
     "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer"},
    {"smisc_allow_dynamic_resolution_param",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "QDX Viewer-Benutzern erlauben, die Desktopauflösung an ihr Fenster anzupassen.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window."},
    {"smisc_bindtoaddress_param_iplistenaddresses",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Kommagetrennte Liste lokaler IP-Adressen, an denen auf direkte QDX-Verbindungen gewartet "
     "wird; leer lassen, um an allen Adressen zu warten.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses."},
    {"smisc_capturebroken_desc_tx",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server kann den Bildschirm nicht zuverlässig erfassen, weil der X-Server nicht wie "
     "erwartet reagiert.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected."},
    {"smisc_capturebroken_desc_win",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server kann den Bildschirm nicht zuverlässig erfassen, weil der Grafiktreiber nicht wie "
     "erwartet reagiert.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected."},
    {"smisc_capturebroken_sol_tx",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Starten Sie den X-Server neu. Besteht das Problem weiterhin, aktualisieren Sie den "
     "Grafiktreiber oder wenden Sie sich an Ihren Systemadministrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator."},
    {"smisc_capturebroken_sol_win",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Starten Sie den Computer neu. Besteht das Problem weiterhin, aktualisieren Sie den "
     "Grafiktreiber.",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver."},
    {"smisc_capturebroken_title", "QDX Server cannot capture the screen",
     "QDX Server kann den Bildschirm nicht erfassen", "QDX Server cannot capture the screen",
     "QDX Server cannot capture the screen", "QDX Server cannot capture the screen"},
    {"smisc_cmdlineconfigfile_usage",
     "Read additional parameters from the configuration file FILE.",
     "Weitere Parameter aus der Konfigurationsdatei FILE lesen.",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE."},
    {"smisc_conntransferout_failed",
     "The connection could not be handed over to another QDX Server process.",
     "Die Verbindung konnte nicht an einen anderen QDX Server-Prozess übergeben werden.",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process."},
    {"smisc_conntransferout_timeout",
     "Timed out handing the connection over to another QDX Server process.",
     "Zeitüberschreitung bei der Übergabe der Verbindung an einen anderen QDX Server-Prozess.",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process."},
    {"smisc_corestatus_connnotify_timmeout",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "Dauer in Sekunden, für die Benachrichtigungen über hergestellte und getrennte Verbindungen "
     "angezeigt werden, oder 0, um Benachrichtigungen zu deaktivieren.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications."},
    {"smisc_corestatus_connnotifyalways",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Benachrichtigungen über hergestellte und getrennte Verbindungen auch dann anzeigen, wenn das "
     "Statussymbol von QDX Server ausgeblendet ist.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden."},
    {"smisc_corestatus_connnotifystyle",
     "How to display connection and disconnection notification messages.",
     "Art der Anzeige von Benachrichtigungen über hergestellte und getrennte Verbindungen.",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages."},
    {"smisc_corestatus_disable_close",
     "Prevent users from stopping QDX Server from its status icon.",
     "Verhindern, dass Benutzer QDX Server über das Statussymbol beenden.",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon."},
    {"smisc_corestatus_disable_options",
     "Prevent users from opening the QDX Server Options dialog.",
     "Verhindern, dass Benutzer den Dialog „Optionen“ von QDX Server öffnen.",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog."},
    {"smisc_corestatus_disable_trayicon", "Hide the QDX Server status icon.",
     "Das Statussymbol von QDX Server ausblenden.", "Hide the QDX Server status icon.",
     "Hide the QDX Server status icon.", "Hide the QDX Server status icon."},
    {"smisc_corestatus_quitonclose", "Stop QDX Server when the last QDX Viewer user disconnects.",
     "QDX Server beenden, wenn der letzte QDX Viewer-Benutzer die Verbindung trennt.",
     "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects."},
    {"smisc_ctrlcomms_disconnect_usage",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Alle QDX Viewer-Benutzer von einem laufenden QDX Server trennen.",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server."},
    {"smisc_ctrlcomms_getconfig_usage",
     "Print the parameters of a single running instance of QDX Server.",
     "Die Parameter einer einzelnen laufenden Instanz von QDX Server ausgeben.",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server."},
    {"smisc_ctrlcomms_getconnections_usage",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "Die mit einem laufenden QDX Server verbundenen QDX Viewer-Benutzer auflisten.",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server."},
    {"smisc_ctrlcomms_setconfig_usage",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Parameter aus %S (oder \"-\" für die Standardeingabe) lesen und für eine einzelne laufende "
     "Instanz von QDX Server setzen; beim nächsten Start von QDX Server werden die Parameter nicht "
     "verwendet.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts."},
    {"smisc_ctrlcomms_showstatus_usage", "Show the status window of an existing QDX Server.",
     "Das Statusfenster eines laufenden QDX Server anzeigen.",
     "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server."},
    {"smisc_ctrlcomms_stop_usage", "Stop an existing QDX Server.",
     "Einen laufenden QDX Server beenden.", "Stop an existing QDX Server.",
     "Stop an existing QDX Server.", "Stop an existing QDX Server."},
    {"smisc_ctrlcomms_stop_usage_winextra",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "Um QDX Server im Dienstmodus zu beenden, beenden Sie stattdessen den Dienst QDX Server.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead."},
    {"smisc_desc_enableaudio", "Send audio from this computer to connected QDX Viewer users.",
     "Audio von diesem Computer an verbundene QDX Viewer-Benutzer übertragen.",
     "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users."},
    {"smisc_firewall_event_blocked_desc",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "Die Firewall dieses Computers blockiert eingehende Verbindungen zu QDX Server, daher können "
     "sich QDX Viewer-Benutzer nicht direkt verbinden.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly."},
    {"smisc_firewall_event_blocked_sol",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Lassen Sie in den Firewall-Einstellungen eingehende Verbindungen zu QDX Server zu, oder "
     "bitten Sie Ihren Systemadministrator darum.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so."},
    {"smisc_firewall_event_blocked_title", "The firewall is blocking QDX Server",
     "Die Firewall blockiert QDX Server", "The firewall is blocking QDX Server",
     "The firewall is blocking QDX Server", "The firewall is blocking QDX Server"},
    {"smisc_geometry_usage",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Größe und Position des Desktopbereichs festlegen, der QDX Viewer-Benutzern angezeigt wird, "
     "als BREITExHÖHE+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y."},
    {"smisc_instancecontrol_existing_found", "QDX Server is already running.",
     "QDX Server wird bereits ausgeführt.", "QDX Server is already running.",
     "QDX Server is already running.", "QDX Server is already running."},
    {"smisc_instancecontrol_usage", "Control an existing QDX Server instead of starting a new one.",
     "Einen laufenden QDX Server steuern, statt einen neuen zu starten.",
     "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one."},
    {"smisc_iplisten_event_ip_addr_desc",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "Mindestens eine der IP-Adressen, an denen QDX Server laut Konfiguration auf Verbindungen "
     "wartet, ist auf diesem Computer nicht verfügbar.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer."},
    {"smisc_iplisten_event_ip_addr_sol",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Prüfen Sie die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, und "
     "entfernen Sie alle Adressen, die dieser Computer nicht mehr hat.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has."},
    {"smisc_iplisten_event_ip_addr_title", "QDX Server cannot listen on an IP address",
     "QDX Server kann an einer IP-Adresse nicht auf Verbindungen warten",
     "QDX Server cannot listen on an IP address", "QDX Server cannot listen on an IP address",
     "QDX Server cannot listen on an IP address"},
    {"smisc_iplisten_event_ip_parse_err_desc",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "Die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, enthält einen "
     "Eintrag, der keine gültige IP-Adresse ist.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address."},
    {"smisc_iplisten_event_ip_parse_err_sol",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Korrigieren Sie die Liste der IP-Adressen, an denen QDX Server auf Verbindungen wartet, oder "
     "lassen Sie sie leer, um an allen Adressen zu warten.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses."},
    {"smisc_iplisten_event_ip_parse_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server kann nicht auf direkte QDX-Verbindungen über %S warten",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S"},
    {"smisc_iplisten_event_rfb_err_desc",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server konnte den Port nicht öffnen, an dem er auf direkte QDX-Verbindungen wartet.",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections."},
    {"smisc_iplisten_event_rfb_err_inuse_desc",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Ein anderes Programm auf diesem Computer verwendet bereits den Port, an dem QDX Server auf "
     "direkte QDX-Verbindungen wartet.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections."},
    {"smisc_iplisten_event_rfb_err_inuse_sol",
     "Stop the other program, or choose a different port for QDX Server.",
     "Beenden Sie das andere Programm, oder wählen Sie einen anderen Port für QDX Server.",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server."},
    {"smisc_iplisten_event_rfb_err_inuse_title",
     "Port conflict preventing direct QDX connections over %S",
     "Ein Portkonflikt verhindert direkte QDX-Verbindungen über %S",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S"},
    {"smisc_iplisten_event_rfb_err_sol",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Prüfen Sie, ob der Port gültig und nicht vom System reserviert ist, und starten Sie QDX "
     "Server dann neu.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server."},
    {"smisc_iplisten_event_rfb_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server kann nicht auf direkte QDX-Verbindungen über %S warten",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S"},
    {"smisc_iplisten_param_acceptrfb", "Accept direct QDX connections from QDX Viewer users.",
     "Direkte QDX-Verbindungen von QDX Viewer-Benutzern annehmen.",
     "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users."},
    {"smisc_iplisten_param_localhostonly", "Only accept direct QDX connections from this computer.",
     "Direkte QDX-Verbindungen nur von diesem Computer annehmen.",
     "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer."},
    {"smisc_iplisten_param_protocols",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "Die Protokolle, über die direkte QDX-Verbindungen angenommen werden: TCP, UDP oder beide, "
     "durch ein Komma getrennt.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma."},
    {"smisc_iplisten_param_rfbport", "Port on which to accept direct QDX connections.",
     "Port, an dem direkte QDX-Verbindungen angenommen werden.",
     "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections."},
    {"smisc_mirrordriver_event_disabled_desc",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver ist installiert, aber deaktiviert, daher erfasst QDX Server den Bildschirm "
     "langsamer.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly."},
    {"smisc_mirrordriver_event_disabled_sol",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Aktivieren Sie QDX Mirror Driver im Dialog „Optionen“ von QDX Server.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog."},
    {"smisc_mirrordriver_event_disabled_title", "QDX Mirror Driver is disabled",
     "QDX Mirror Driver ist deaktiviert", "QDX Mirror Driver is disabled",
     "QDX Mirror Driver is disabled", "QDX Mirror Driver is disabled"},
    {"smisc_mirrordriver_event_exception_desc",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver konnte nicht installiert werden. Windows hat folgenden Fehler gemeldet: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: "},
    {"smisc_mirrordriver_event_exception_sol",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Starten Sie den Computer neu, und installieren Sie QDX Mirror Driver erneut. Besteht das "
     "Problem weiterhin, wenden Sie sich an den technischen Support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support."},
    {"smisc_mirrordriver_event_exception_title", "QDX Mirror Driver could not be installed",
     "QDX Mirror Driver konnte nicht installiert werden",
     "QDX Mirror Driver could not be installed", "QDX Mirror Driver could not be installed",
     "QDX Mirror Driver could not be installed"},
    {"smisc_mirrordriver_event_reboot_desc",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver wurde installiert, kann aber erst nach einem Neustart des Computers "
     "verwendet werden.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is "
     "restarted."},
    {"smisc_mirrordriver_event_reboot_sol", "Restart the computer.",
     "Starten Sie den Computer neu.", "Restart the computer.", "Restart the computer.",
     "Restart the computer."},
    {"smisc_mirrordriver_event_reboot_title", "Restart required to use QDX Mirror Driver",
     "Für QDX Mirror Driver ist ein Neustart erforderlich",
     "Restart required to use QDX Mirror Driver", "Restart required to use QDX Mirror Driver",
     "Restart required to use QDX Mirror Driver"},
    {"smisc_mirrordriver_event_session_desc",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver kann in der aktuellen Sitzung nicht verwendet werden, daher erfasst QDX "
     "Server den Bildschirm langsamer.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly."},
    {"smisc_mirrordriver_event_session_sol",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Verbinden Sie sich mit der Konsolensitzung dieses Computers, oder deaktivieren Sie QDX "
     "Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver."},
    {"smisc_mirrordriver_event_session_title", "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver ist in dieser Sitzung nicht verfügbar",
     "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session"},
    {"smisc_mirrordriver_event_unavailable_desc",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver ist nicht installiert oder unterstützt diese Windows-Version nicht, daher "
     "erfasst QDX Server den Bildschirm langsamer.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly."},
    {"smisc_mirrordriver_event_unavailable_sol",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Installieren Sie QDX Mirror Driver, oder deaktivieren Sie ihn im Dialog „Optionen“ von QDX "
     "Server.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog."},
    {"smisc_mirrordriver_event_unavailable_title", "QDX Mirror Driver is not available",
     "QDX Mirror Driver ist nicht verfügbar", "QDX Mirror Driver is not available",
     "QDX Mirror Driver is not available", "QDX Mirror Driver is not available"},
    {"smisc_needs_admin_after_runas",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "Für diesen Vorgang sind Administratorrechte erforderlich. Führen Sie den Befehl erneut als "
     "Administrator aus.",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator."},
    {"smisc_noconsole_usage", "Run without opening a console window.",
     "Ohne Konsolenfenster ausführen.", "Run without opening a console window.",
     "Run without opening a console window.", "Run without opening a console window."},
    {"smisc_permissionscontrol_param_permissions",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "Die Benutzer und Gruppen, die sich mit QDX Server verbinden dürfen, und die Berechtigungen, "
     "die jedem von ihnen gewährt werden.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted."},
    {"smisc_permissionssystemauth_add_btn", "&Add...", "&Hinzufügen...", "&Add...", "&Add...",
     "&Add..."},
    {"smisc_permissionssystemauth_add_btn_tip", "Add a user or group",
     "Benutzer oder Gruppe hinzufügen", "Add a user or group", "Add a user or group",
     "Add a user or group"},
    {"smisc_permissionssystemauth_dialog_name", "Name:", "Name:", "Name:", "Name:", "Name:"},
    {"smisc_permissionssystemauth_dialog_title", "Add User or Group",
     "Benutzer oder Gruppe hinzufügen", "Add User or Group", "Add User or Group",
     "Add User or Group"},
    {"smisc_permissionssystemauth_dialog_type", "Type:", "Typ:", "Type:", "Type:", "Type:"},
    {"smisc_permissionssystemauth_dialog_type_group", "Group", "Gruppe", "Group", "Group", "Group"},
    {"smisc_permissionssystemauth_dialog_type_user", "User", "Benutzer", "User", "User", "User"},
    {"smisc_permissionssystemauth_remove_btn", "&Remove", "&Entfernen", "&Remove", "&Remove",
     "&Remove"},
    {"smisc_permissionssystemauth_remove_btn_tip", "Remove the selected user or group",
     "Ausgewählten Benutzer oder ausgewählte Gruppe entfernen", "Remove the selected user or group",
     "Remove the selected user or group", "Remove the selected user or group"},
    {"smisc_permsqdxauth_add_btn", "&Add...", "&Hinzufügen...", "&Add...", "&Add...", "&Add..."},
    {"smisc_permsqdxauth_add_btn_tip", "Add a user", "Benutzer hinzufügen", "Add a user",
     "Add a user", "Add a user"},
    {"smisc_permsqdxauth_help_user",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Legen Sie für jede Benutzerart ein QDX-Kennwort fest. QDX Viewer-Benutzer geben das Kennwort "
     "ein, das ihnen den benötigten Zugriff gewährt.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need."},
    {"smisc_permsqdxauth_invalid_nousers", "At least one user must have a QDX password.",
     "Mindestens ein Benutzer muss ein QDX-Kennwort haben.",
     "At least one user must have a QDX password.", "At least one user must have a QDX password.",
     "At least one user must have a QDX password."},
    {"smisc_permsqdxauth_password_btn", "&Password...", "&Kennwort...", "&Password...",
     "&Password...", "&Password..."},
    {"smisc_permsqdxauth_password_btn_tip", "Change the QDX password of the selected user",
     "QDX-Kennwort des ausgewählten Benutzers ändern",
     "Change the QDX password of the selected user", "Change the QDX password of the selected user",
     "Change the QDX password of the selected user"},
    {"smisc_permsqdxauth_password_removal",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Wenn Sie diesen Benutzer entfernen, wird auch sein QDX-Kennwort entfernt. Möchten Sie "
     "fortfahren?",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?"},
    {"smisc_permsqdxauth_remove_btn", "&Remove", "&Entfernen", "&Remove", "&Remove", "&Remove"},
    {"smisc_permsqdxauth_remove_btn_tip", "Remove the selected user",
     "Ausgewählten Benutzer entfernen", "Remove the selected user", "Remove the selected user",
     "Remove the selected user"},
    {"smisc_permsqdxauth_user_admin", "Administrator", "Administrator", "Administrator",
     "Administrator", "Administrator"},
    {"smisc_permsqdxauth_user_standard", "Standard user", "Standardbenutzer", "Standard user",
     "Standard user", "Standard user"},
    {"smisc_permsqdxauth_user_viewonly", "View-only user",
     "Benutzer mit reiner Anzeigeberechtigung", "View-only user", "View-only user",
     "View-only user"},
    {"smisc_powersettings_on_battery_event_desc",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "Dieser Computer wird mit Akkustrom betrieben und kann in den Ruhezustand wechseln, sodass "
     "QDX Server nicht erreichbar ist.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable."},
    {"smisc_powersettings_on_battery_event_sol", "Connect this computer to a power supply.",
     "Schließen Sie diesen Computer an die Stromversorgung an.",
     "Connect this computer to a power supply.", "Connect this computer to a power supply.",
     "Connect this computer to a power supply."},
    {"smisc_powersettings_on_battery_event_title", "This computer is running on battery power",
     "Dieser Computer wird mit Akkustrom betrieben", "This computer is running on battery power",
     "This computer is running on battery power", "This computer is running on battery power"},
    {"smisc_powersettings_sleep_event_battery_desc",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "Dieser Computer ist so eingestellt, dass er im Akkubetrieb nach einer bestimmten Zeit der "
     "Inaktivität in den Ruhezustand wechselt. Solange er im Ruhezustand ist, können sich QDX "
     "Viewer-Benutzer nicht verbinden.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep."},
    {"smisc_powersettings_sleep_event_desc",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "Dieser Computer ist so eingestellt, dass er nach einer bestimmten Zeit der Inaktivität in "
     "den Ruhezustand wechselt. Solange er im Ruhezustand ist, können sich QDX Viewer-Benutzer "
     "nicht verbinden.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep."},
    {"smisc_powersettings_sleep_event_sol",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Ändern Sie die Energieeinstellungen dieses Computers so, dass er nie in den Ruhezustand "
     "wechselt.",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep."},
    {"smisc_powersettings_sleep_event_title", "This computer may go to sleep",
     "Dieser Computer kann in den Ruhezustand wechseln", "This computer may go to sleep",
     "This computer may go to sleep", "This computer may go to sleep"},
    {"smisc_privacymode_screenblanker_permission_desc",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server benötigt die Berechtigung, den Bildschirm dieses Computers abzudunkeln, während "
     "QDX Viewer-Benutzer verbunden sind.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected."},
    {"smisc_qdxauthuserdlg_confirm_password", "Confirm password:", "Kennwort bestätigen:",
     "Confirm password:", "Confirm password:", "Confirm password:"},
    {"smisc_qdxauthuserdlg_enter_password",
     "Password:", "Kennwort:", "Password:", "Password:", "Password:"},
    {"smisc_qdxauthuserdlg_info_notmatch", "Please specify the same password.",
     "Bitte geben Sie dasselbe Kennwort ein.", "Please specify the same password.",
     "Please specify the same password.", "Please specify the same password."},
    {"smisc_qdxauthuserdlg_info_password", "Please specify a password.",
     "Bitte geben Sie ein Kennwort ein.", "Please specify a password.",
     "Please specify a password.", "Please specify a password."},
    {"smisc_qdxauthuserdlg_info_too_short", "The password must have a minimum of 6 characters.",
     "Das Kennwort muss mindestens 6 Zeichen lang sein.",
     "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters."},
    {"smisc_qdxauthuserdlg_legacy_chk", "Allow legacy QDX Viewer users to connect",
     "Verbindungen von älteren QDX Viewer-Versionen zulassen",
     "Allow legacy QDX Viewer users to connect", "Allow legacy QDX Viewer users to connect",
     "Allow legacy QDX Viewer users to connect"},
    {"smisc_qdxauthuserdlg_legacy_toolong",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Benutzer älterer QDX Viewer-Versionen benötigen zum Verbinden nur die ersten 8 Zeichen Ihres "
     "QDX-Kennworts. Deaktivieren Sie das Kontrollkästchen, um Verbindungen dieser Benutzer zu "
     "verhindern.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox."},
    {"smisc_qdxauthuserdlg_title_add", "Add user", "Benutzer hinzufügen", "Add user", "Add user",
     "Add user"},
    {"smisc_qdxauthuserdlg_title_edit", "Specify QDX password", "QDX-Kennwort festlegen",
     "Specify QDX password", "Specify QDX password", "Specify QDX password"},
    {"smisc_qdxauthuserdlg_user", "User:", "Benutzer:", "User:", "User:", "User:"},
    {"smisc_queryconnect_action_accept", "Accept", "Annehmen", "Accept", "Accept", "Accept"},
    {"smisc_queryconnect_action_reject", "Reject", "Ablehnen", "Reject", "Reject", "Reject"},
    {"smisc_queryconnect_action_viewonly", "View only", "Nur anzeigen", "View only", "View only",
     "View only"},
    {"smisc_queryconnect_already", "Another connection request is already waiting for an answer.",
     "Eine andere Verbindungsanfrage wartet bereits auf eine Antwort.",
     "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer."},
    {"smisc_queryconnect_consequence",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "Wenn Sie in den nächsten %1$D Sekunden nichts unternehmen, wird die Anfrage %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S."},
    {"smisc_queryconnect_failed",
     "The connection request could not be shown, so the connection was rejected.",
     "Die Verbindungsanfrage konnte nicht angezeigt werden, daher wurde die Verbindung abgelehnt.",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected."},
    {"smisc_queryconnect_header", "Incoming connection request", "Eingehende Verbindungsanfrage",
     "Incoming connection request", "Incoming connection request", "Incoming connection request"},
    {"smisc_queryconnect_param_message",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Meldung in der Abfrage bei eingehenden Verbindungen, höchstens 4096 UTF-8-Bytes. Eine stark "
     "eingeschränkte Form von HTML wird unterstützt. Die Zeichen &<>\"' müssen wie in HTML "
     "maskiert werden.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML."},
    {"smisc_queryconnect_param_queryconnect",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Den Benutzer dieses Computers jede eingehende Verbindung annehmen oder ablehnen lassen.",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection."},
    {"smisc_queryconnect_param_queryifloggedon",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Nur dann zum Annehmen oder Ablehnen von Verbindungen auffordern, wenn ein Benutzer an diesem "
     "Computer angemeldet ist.",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer."},
    {"smisc_queryconnect_param_queryofferviewonly",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "In der Abfrage zum Annehmen oder Ablehnen die Möglichkeit anbieten, eine Verbindung nur mit "
     "Anzeigeberechtigung anzunehmen.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt."},
    {"smisc_queryconnect_param_timeout",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "Dauer in Sekunden, für die die Abfrage zum Annehmen oder Ablehnen angezeigt wird, bevor "
     "Verbindungen automatisch die Berechtigungen für Zeitüberschreitung erhalten.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions."},
    {"smisc_queryconnect_param_timeoutrights",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "Die Berechtigungen, die eine Verbindung automatisch erhält, wenn bei der Abfrage zum "
     "Annehmen oder Ablehnen die Zeit abläuft; leer lassen, um die Verbindung abzulehnen.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection."},
    {"smisc_queryconnect_prompt_admin_marked_up",
     "A user with administrative rights is requesting remote access to your computer.",
     "Ein Benutzer mit Administratorrechten fordert Fernzugriff auf Ihren Computer an.",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_anon_marked_up",
     "An anonymous user is requesting remote access to your computer.",
     "Ein anonymer Benutzer fordert Fernzugriff auf Ihren Computer an.",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_guest_marked_up",
     "A guest is requesting remote access to your computer.",
     "Ein Gast fordert Fernzugriff auf Ihren Computer an.",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_inputonly_marked_up",
     "A user is requesting to control your computer without seeing its screen.",
     "Ein Benutzer möchte Ihren Computer steuern, ohne den Bildschirm zu sehen.",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen."},
    {"smisc_queryconnect_prompt_name_marked_up_fmt",
     "User \"%S\" is requesting remote access to your computer.",
     "Benutzer „%S“ fordert Fernzugriff auf Ihren Computer an.",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_viewonly_marked_up",
     "A user is requesting to see your screen without controlling your computer.",
     "Ein Benutzer möchte Ihren Bildschirm sehen, ohne Ihren Computer zu steuern.",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer."},
    {"smisc_queryconnect_text_accepted", "accepted", "angenommen", "accepted", "accepted",
     "accepted"},
    {"smisc_queryconnect_text_rejected", "rejected", "abgelehnt", "rejected", "rejected",
     "rejected"},
    {"smisc_queryconnect_title", "Tessary Server - Connection Request",
     "Tessary Server - Verbindungsanfrage", "Tessary Server - Connection Request",
     "Tessary Server - Connection Request", "Tessary Server - Connection Request"},
    {"smisc_rootsecurity_param_rootsecurity",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "Wenn QDX Server mit Root-Rechten ausgeführt wird, nur Administratoren dieses Computers die "
     "Verbindung erlauben.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect."},
    {"smisc_rsakey_event_no_signature_desc",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server konnte seinen privaten Schlüssel weder lesen noch erstellen, daher können QDX "
     "Viewer-Benutzer die Identität dieses Computers nicht überprüfen.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer."},
    {"smisc_rsakey_event_no_signature_sol",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Prüfen Sie, ob die Datei des privaten Schlüssels gelesen und geschrieben werden kann, oder "
     "löschen Sie sie, damit QDX Server beim nächsten Start einen neuen Schlüssel erstellt.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts."},
    {"smisc_rsakey_event_no_signature_title", "QDX Server cannot prove its identity",
     "QDX Server kann seine Identität nicht nachweisen", "QDX Server cannot prove its identity",
     "QDX Server cannot prove its identity", "QDX Server cannot prove its identity"},
    {"smisc_rsakey_generating", "Generating secure key.  Please wait...",
     "Sicherer Schlüssel wird erstellt.  Bitte warten...", "Generating secure key.  Please wait...",
     "Generating secure key.  Please wait...", "Generating secure key.  Please wait..."},
    {"smisc_rsakeyfile_param_privatekeyfile",
     "The file in which QDX Server stores its private key.",
     "Die Datei, in der QDX Server seinen privaten Schlüssel speichert.",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key."},
    {"smisc_rsakeygenerate_usage",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Einen neuen privaten Schlüssel für QDX Server erstellen und den vorhandenen ersetzen.",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one."},
    {"smisc_securityqdxauth_event_no_password_desc",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "Die Authentifizierung mit QDX-Kennwort ist ausgewählt, aber es wurde kein QDX-Kennwort "
     "festgelegt, daher können sich QDX Viewer-Benutzer nicht verbinden.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect."},
    {"smisc_securityqdxauth_event_no_password_sol", "Specify a QDX password for at least one user.",
     "Legen Sie für mindestens einen Benutzer ein QDX-Kennwort fest.",
     "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user."},
    {"smisc_securityqdxauth_event_no_password_title", "No QDX password has been specified",
     "Es wurde kein QDX-Kennwort festgelegt", "No QDX password has been specified",
     "No QDX password has been specified", "No QDX password has been specified"},
    {"smisc_securitysystemauth_event_log_desc",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server protokolliert Verbindungen im Sicherheitsprotokoll dieses Computers, konnte aber "
     "nicht darin schreiben.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it."},
    {"smisc_securitysystemauth_event_log_sol_full",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "Das Sicherheitsprotokoll ist voll. Leeren Sie es, oder ändern Sie seine Einstellungen so, "
     "dass alte Ereignisse bei Bedarf überschrieben werden.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed."},
    {"smisc_securitysystemauth_event_log_sol_unconnectable",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer-Benutzer können sich erst verbinden, wenn QDX Server in das Sicherheitsprotokoll "
     "schreiben kann. Prüfen Sie die Einstellungen des Sicherheitsprotokolls dieses Computers.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer."},
    {"smisc_securitysystemauth_event_log_title", "QDX Server cannot write to the security log",
     "QDX Server kann nicht in das Sicherheitsprotokoll schreiben",
     "QDX Server cannot write to the security log", "QDX Server cannot write to the security log",
     "QDX Server cannot write to the security log"},
    {"smisc_serverapp_logged_out", "The user of this computer logged out.",
     "Der Benutzer dieses Computers hat sich abgemeldet.", "The user of this computer logged out.",
     "The user of this computer logged out.", "The user of this computer logged out."},
    {"smisc_serverapp_param_stopusermodeonswitchout",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "QDX Server im Benutzermodus beenden, wenn sein Benutzer zu einem anderen Benutzerkonto "
     "wechselt.",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account."},
    {"smisc_serverapp_param_systemsleepbehavior",
     "How QDX Server responds when this computer is about to go to sleep.",
     "Wie QDX Server reagiert, wenn dieser Computer in den Ruhezustand wechseln will.",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep."},
    {"smisc_serverapp_system_suspended", "This computer went to sleep.",
     "Dieser Computer ist in den Ruhezustand gewechselt.", "This computer went to sleep.",
     "This computer went to sleep.", "This computer went to sleep."},
    {"smisc_serverapp_user_switch", "The user of this computer switched to another user account.",
     "Der Benutzer dieses Computers hat zu einem anderen Benutzerkonto gewechselt.",
     "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account."},
    {"smisc_service_desc", "Gives QDX Viewer users remote access to this computer.",
     "Ermöglicht QDX Viewer-Benutzern den Fernzugriff auf diesen Computer.",
     "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer."},
    {"smisc_service_not_automatic", "The QDX Server service is not set to start automatically.",
     "Der Dienst QDX Server ist nicht für den automatischen Start eingerichtet.",
     "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically."},
    {"smisc_service_not_directly",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server im Dienstmodus wird vom System gestartet und kann nicht direkt ausgeführt werden.",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly."},
    {"smisc_service_param_autologonoverride",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Die Einstellungen für die automatische Anmeldung dieses Computers ignorieren, wenn QDX "
     "Server im Dienstmodus ausgeführt wird.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode."},
    {"smisc_service_usage_start", "Start the QDX Server service, registering it if necessary.",
     "Den Dienst QDX Server starten und bei Bedarf registrieren.",
     "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary."},
    {"smisc_service_usage_status",
     "Report whether the QDX Server service is registered and running.",
     "Melden, ob der Dienst QDX Server registriert ist und ausgeführt wird.",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running."},
    {"smisc_service_usage_unregister", "Stop the QDX Server service and unregister it.",
     "Den Dienst QDX Server beenden und seine Registrierung aufheben.",
     "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it."},
    {"smisc_showstatus_usage",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Das Statusfenster von QDX Server anzeigen und QDX Server bei Bedarf starten.",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary."},
    {"smisc_smoduleguestlogin_param_enablemenu",
     "Show the Guest Access item in the QDX Server menu.",
     "Den Eintrag „Gastzugriff“ im QDX Server-Menü anzeigen.",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu."},
    {"smisc_suimoduleaddclient_mi_connect", "Connect to Listening QDX Viewer...",
     "Mit Listening QDX Viewer verbinden...", "Connect to Listening QDX Viewer...",
     "Connect to Listening QDX Viewer...", "Connect to Listening QDX Viewer..."},
    {"smisc_suimoduledisconnectclient_mi_disconnect", "Disconnect All Users",
     "Alle Benutzer trennen", "Disconnect All Users", "Disconnect All Users",
     "Disconnect All Users"},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_mac",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "Was geschieht, wenn der letzte QDX Viewer-Benutzer die Verbindung trennt: nichts, Bildschirm "
     "sperren oder Benutzer abmelden.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out."},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_win",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "Was geschieht, wenn der letzte QDX Viewer-Benutzer die Verbindung trennt: nichts, "
     "Arbeitsstation sperren oder Benutzer abmelden.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off."},
    {"smisc_suimoduleguestlogin_mi_guest", "Guest Access...", "Gastzugriff...", "Guest Access...",
     "Guest Access...", "Guest Access..."},
    {"smisc_suimodulesecurityqdxauth_optsec_html_fmt",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Benutzer müssen ein eigenes Kennwort für QDX Server eingeben. \n\nSie können dieses Kennwort "
     "auf der Seite <a href=\"%1$S\">Benutzer &amp; Berechtigungen</a> verwalten.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page."},
    {"smisc_suimodulesystemauth_canon_dname", "%1$S [resolved as %2$S]",
     "%1$S [aufgelöst als %2$S]", "%1$S [resolved as %2$S]", "%1$S [resolved as %2$S]",
     "%1$S [resolved as %2$S]"},
    {"smisc_suimodulesystemauth_desktop_owner", "Logged in user [%S]", "Angemeldeter Benutzer [%S]",
     "Logged in user [%S]", "Logged in user [%S]", "Logged in user [%S]"},
    {"smisc_suimodulesystemauth_interactive", "Users logged in at this computer",
     "An diesem Computer angemeldete Benutzer", "Users logged in at this computer",
     "Users logged in at this computer", "Users logged in at this computer"},
    {"smisc_suimodulesystemauth_optsec",
     "Users must enter the user name and password of their account on this computer.",
     "Benutzer müssen den Benutzernamen und das Kennwort ihres Kontos auf diesem Computer "
     "eingeben.",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer."},
    {"smisc_suimodulesystemauth_server_owner", "QDX Server owner [%S]",
     "Eigentümer von QDX Server [%S]", "QDX Server owner [%S]", "QDX Server owner [%S]",
     "QDX Server owner [%S]"},
    {"smisc_suimodulesystemauth_unknown_group", "Unknown group", "Unbekannte Gruppe",
     "Unknown group", "Unknown group", "Unknown group"},
    {"smisc_suimodulesystemauth_unknown_user", "Unknown user", "Unbekannter Benutzer",
     "Unknown user", "Unknown user", "Unknown user"},
    {"smisc_systemnotifier_event_desc",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Mitteilungen für %S wurden ausgeblendet, daher kann QDX Server keine Benachrichtigungen "
     "anzeigen, wenn QDX Viewer-Benutzer sich verbinden und trennen.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect."},
    {"smisc_systemnotifier_event_sol",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Aktivieren Sie die Mitteilungen für QDX Server in den Mitteilungseinstellungen dieses "
     "Computers wieder.",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer."},
    {"smisc_systemnotifier_event_title", "QDX Server cannot display notification messages",
     "QDX Server kann keine Benachrichtigungen anzeigen",
     "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages"},
    {"smisc_systemnotifier_servicemode_name", "QDX Server", "QDX Server", "QDX Server",
     "QDX Server", "QDX Server"},
    {"smisc_systemnotifier_usermode_name", "QDX Server (User mode)", "QDX Server (Benutzermodus)",
     "QDX Server (User mode)", "QDX Server (User mode)", "QDX Server (User mode)"},
    {"smisc_uiiplisten_enable_one", "Allow direct QDX &connections over %S",
     "Direkte QDX-&Verbindungen über %S zulassen", "Allow direct QDX &connections over %S",
     "Allow direct QDX &connections over %S", "Allow direct QDX &connections over %S"},
    {"smisc_uiiplisten_enable_two", "Allow direct QDX &connections over %1$S and %2$S",
     "Direkte QDX-&Verbindungen über %1$S und %2$S zulassen",
     "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S"},
    {"smisc_uiiplisten_port", "Port:", "Port:", "Port:", "Port:", "Port:"},
    {"smisc_uiiplisten_port_tip", "The port on which QDX Server listens for direct QDX connections",
     "Der Port, an dem QDX Server auf direkte QDX-Verbindungen wartet",
     "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections"},
    {"smisc_upv_event_no_auth_desc",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
     "QDX Server ist so konfiguriert, dass Verbindungen angenommen werden, ohne dass Benutzer ein "
     "Kennwort eingeben müssen. Ihr Computer ist damit anfällig für Portscan-Angriffe und könnte "
     "ohne Ihre Zustimmung gesteuert werden.",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent."},
    {"smisc_upv_event_no_auth_sol",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Bitte beachten Sie, dass das Deaktivieren des Kennwortschutzes für einen mit dem Internet "
     "verbundenen Computer nie empfohlen wird. Wählen Sie zur Behebung dieses Problems ein "
     "geeignetes Authentifizierungsverfahren aus.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme."},
    {"smisc_upv_event_no_auth_title", "QDX Server is not password-protected",
     "QDX Server ist nicht kennwortgeschützt", "QDX Server is not password-protected",
     "QDX Server is not password-protected", "QDX Server is not password-protected"},
};
constexpr std::size_t kRowCount = sizeof kRows / sizeof kRows[0];
static_assert(loc::catalogueTextsPresent(kRows, kRowCount), "a row lacks its key or a text");
static_assert(loc::catalogueKeysAscending(kRows, kRowCount), "keys must ascend, each key once");
static_assert(loc::catalogueKeysHavePrefix(kRows, kRowCount, "smisc_"), "a key lacks the prefix");

std::uint32_t callCount = 0;
constexpr loc::Catalogue kCatalogue{"smisc_", kRows, kRowCount, &callCount};

loc::RegisterAtStartUp registerAtStartUp(addTranslationCatalogue);

}  // namespace

void registerTranslations(void*) {
    addTranslationCatalogue();
}

void addTranslationCatalogue() {
    loc::registerCatalogue(kCatalogue);
}

const loc::Catalogue& translationCatalogue() {
    return kCatalogue;
}

}  // namespace smisc

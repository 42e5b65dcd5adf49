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
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500).",
     "Connect an existing QDX Server to Listening QDX Viewer at HOST on PORT (default 5500)."},
    {"smisc_addclient_usage_iconnect",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500).",
     "Start QDX Server if necessary, then connect it to Listening QDX Viewer at HOST on PORT "
     "(default 5500)."},
    {"smisc_addclientdialog_client",
     "QDX Viewer:", "QDX Viewer:", "QDX Viewer:", "QDX Viewer:", "QDX Viewer:"},
    {"smisc_addclientdialog_connect", "Connect", "Connect", "Connect", "Connect", "Connect"},
    {"smisc_addclientdialog_param_disablemenu",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu.",
     "Prevent users from connecting QDX Server to Listening QDX Viewer from the QDX Server menu."},
    {"smisc_addclientdialog_title", "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer",
     "Tessary Server - Connect to Listening QDX Viewer"},
    {"smisc_allow_dynamic_resolution_param",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window.",
     "Allow QDX Viewer users to change the desktop resolution to fit their window."},
    {"smisc_bindtoaddress_param_iplistenaddresses",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses.",
     "Comma-separated list of local IP addresses on which to listen for direct QDX connections, or "
     "empty to listen on all addresses."},
    {"smisc_capturebroken_desc_tx",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected.",
     "QDX Server cannot capture the screen reliably because the X server is not responding as "
     "expected."},
    {"smisc_capturebroken_desc_win",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected.",
     "QDX Server cannot capture the screen reliably because the graphics driver is not responding "
     "as expected."},
    {"smisc_capturebroken_sol_tx",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator.",
     "Restart the X server. If the problem persists, update the graphics driver or contact your "
     "system administrator."},
    {"smisc_capturebroken_sol_win",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver.",
     "Restart the computer. If the problem persists, update the graphics driver."},
    {"smisc_capturebroken_title", "QDX Server cannot capture the screen",
     "QDX Server cannot capture the screen", "QDX Server cannot capture the screen",
     "QDX Server cannot capture the screen", "QDX Server cannot capture the screen"},
    {"smisc_cmdlineconfigfile_usage",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE.",
     "Read additional parameters from the configuration file FILE."},
    {"smisc_conntransferout_failed",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process.",
     "The connection could not be handed over to another QDX Server process."},
    {"smisc_conntransferout_timeout",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process.",
     "Timed out handing the connection over to another QDX Server process."},
    {"smisc_corestatus_connnotify_timmeout",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications.",
     "The number of seconds to display connection and disconnection notification messages for, or "
     "0 to disable notifications."},
    {"smisc_corestatus_connnotifyalways",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden.",
     "Show connection and disconnection notification messages even when the QDX Server status icon "
     "is hidden."},
    {"smisc_corestatus_connnotifystyle",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages.",
     "How to display connection and disconnection notification messages."},
    {"smisc_corestatus_disable_close",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon.",
     "Prevent users from stopping QDX Server from its status icon."},
    {"smisc_corestatus_disable_options",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog.",
     "Prevent users from opening the QDX Server Options dialog."},
    {"smisc_corestatus_disable_trayicon", "Hide the QDX Server status icon.",
     "Hide the QDX Server status icon.", "Hide the QDX Server status icon.",
     "Hide the QDX Server status icon.", "Hide the QDX Server status icon."},
    {"smisc_corestatus_quitonclose", "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects.",
     "Stop QDX Server when the last QDX Viewer user disconnects."},
    {"smisc_ctrlcomms_disconnect_usage",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server.",
     "Disconnect all QDX Viewer users from an existing QDX Server."},
    {"smisc_ctrlcomms_getconfig_usage",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server.",
     "Print the parameters of a single running instance of QDX Server."},
    {"smisc_ctrlcomms_getconnections_usage",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server.",
     "List the QDX Viewer users connected to an existing QDX Server."},
    {"smisc_ctrlcomms_setconfig_usage",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts.",
     "Read parameters from %S (or \"-\" for stdin) and set them on a single running instance of "
     "QDX Server; the parameters will not be used when QDX Server next starts."},
    {"smisc_ctrlcomms_showstatus_usage", "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server.",
     "Show the status window of an existing QDX Server."},
    {"smisc_ctrlcomms_stop_usage", "Stop an existing QDX Server.", "Stop an existing QDX Server.",
     "Stop an existing QDX Server.", "Stop an existing QDX Server.",
     "Stop an existing QDX Server."},
    {"smisc_ctrlcomms_stop_usage_winextra",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead.",
     "To stop QDX Server running in Service Mode, stop the QDX Server service instead."},
    {"smisc_desc_enableaudio", "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users.",
     "Send audio from this computer to connected QDX Viewer users."},
    {"smisc_firewall_event_blocked_desc",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly.",
     "The firewall of this computer is blocking incoming connections to QDX Server, so QDX Viewer "
     "users cannot connect directly."},
    {"smisc_firewall_event_blocked_sol",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so.",
     "Allow incoming connections to QDX Server in the firewall settings, or ask your system "
     "administrator to do so."},
    {"smisc_firewall_event_blocked_title", "The firewall is blocking QDX Server",
     "The firewall is blocking QDX Server", "The firewall is blocking QDX Server",
     "The firewall is blocking QDX Server", "The firewall is blocking QDX Server"},
    {"smisc_geometry_usage",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y.",
     "Set the size and position of the desktop area shown to QDX Viewer users, as "
     "WIDTHxHEIGHT+X+Y."},
    {"smisc_instancecontrol_existing_found", "QDX Server is already running.",
     "QDX Server is already running.", "QDX Server is already running.",
     "QDX Server is already running.", "QDX Server is already running."},
    {"smisc_instancecontrol_usage", "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one.",
     "Control an existing QDX Server instead of starting a new one."},
    {"smisc_iplisten_event_ip_addr_desc",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer.",
     "One or more of the IP addresses on which QDX Server is configured to listen is not available "
     "on this computer."},
    {"smisc_iplisten_event_ip_addr_sol",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has.",
     "Check the list of IP addresses on which QDX Server listens, and remove any that this "
     "computer no longer has."},
    {"smisc_iplisten_event_ip_addr_title", "QDX Server cannot listen on an IP address",
     "QDX Server cannot listen on an IP address", "QDX Server cannot listen on an IP address",
     "QDX Server cannot listen on an IP address", "QDX Server cannot listen on an IP address"},
    {"smisc_iplisten_event_ip_parse_err_desc",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address.",
     "The list of IP addresses on which QDX Server listens contains an entry that is not a valid "
     "IP address."},
    {"smisc_iplisten_event_ip_parse_err_sol",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses.",
     "Correct the list of IP addresses on which QDX Server listens, or leave it empty to listen on "
     "all addresses."},
    {"smisc_iplisten_event_ip_parse_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S"},
    {"smisc_iplisten_event_rfb_err_desc",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections.",
     "QDX Server could not open the port on which it listens for direct QDX connections."},
    {"smisc_iplisten_event_rfb_err_inuse_desc",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections.",
     "Another program on this computer is already using the port on which QDX Server listens for "
     "direct QDX connections."},
    {"smisc_iplisten_event_rfb_err_inuse_sol",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server.",
     "Stop the other program, or choose a different port for QDX Server."},
    {"smisc_iplisten_event_rfb_err_inuse_title",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S",
     "Port conflict preventing direct QDX connections over %S"},
    {"smisc_iplisten_event_rfb_err_sol",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server.",
     "Check that the port is valid and not reserved by the system, then restart QDX Server."},
    {"smisc_iplisten_event_rfb_err_title",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S",
     "QDX Server cannot listen for direct QDX connections over %S"},
    {"smisc_iplisten_param_acceptrfb", "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users.",
     "Accept direct QDX connections from QDX Viewer users."},
    {"smisc_iplisten_param_localhostonly", "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer.",
     "Only accept direct QDX connections from this computer."},
    {"smisc_iplisten_param_protocols",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma.",
     "The protocols over which to accept direct QDX connections: TCP, UDP, or both separated by a "
     "comma."},
    {"smisc_iplisten_param_rfbport", "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections.",
     "Port on which to accept direct QDX connections."},
    {"smisc_mirrordriver_event_disabled_desc",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly.",
     "QDX Mirror Driver is installed but disabled, so QDX Server captures the screen more slowly."},
    {"smisc_mirrordriver_event_disabled_sol",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog.",
     "Enable QDX Mirror Driver in the QDX Server Options dialog."},
    {"smisc_mirrordriver_event_disabled_title", "QDX Mirror Driver is disabled",
     "QDX Mirror Driver is disabled", "QDX Mirror Driver is disabled",
     "QDX Mirror Driver is disabled", "QDX Mirror Driver is disabled"},
    {"smisc_mirrordriver_event_exception_desc",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: ",
     "QDX Mirror Driver could not be installed. Windows reported the following error: "},
    {"smisc_mirrordriver_event_exception_sol",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support.",
     "Restart the computer and install QDX Mirror Driver again. If the problem persists, contact "
     "technical support."},
    {"smisc_mirrordriver_event_exception_title", "QDX Mirror Driver could not be installed",
     "QDX Mirror Driver could not be installed", "QDX Mirror Driver could not be installed",
     "QDX Mirror Driver could not be installed", "QDX Mirror Driver could not be installed"},
    {"smisc_mirrordriver_event_reboot_desc",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is restarted.",
     "QDX Mirror Driver has been installed, but it cannot be used until the computer is "
     "restarted."},
    {"smisc_mirrordriver_event_reboot_sol", "Restart the computer.", "Restart the computer.",
     "Restart the computer.", "Restart the computer.", "Restart the computer."},
    {"smisc_mirrordriver_event_reboot_title", "Restart required to use QDX Mirror Driver",
     "Restart required to use QDX Mirror Driver", "Restart required to use QDX Mirror Driver",
     "Restart required to use QDX Mirror Driver", "Restart required to use QDX Mirror Driver"},
    {"smisc_mirrordriver_event_session_desc",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly.",
     "QDX Mirror Driver cannot be used in the current session, so QDX Server captures the screen "
     "more slowly."},
    {"smisc_mirrordriver_event_session_sol",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver.",
     "Connect to the console session of this computer, or disable QDX Mirror Driver."},
    {"smisc_mirrordriver_event_session_title", "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session",
     "QDX Mirror Driver is not available in this session"},
    {"smisc_mirrordriver_event_unavailable_desc",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly.",
     "QDX Mirror Driver is not installed or does not support this version of Windows, so QDX "
     "Server captures the screen more slowly."},
    {"smisc_mirrordriver_event_unavailable_sol",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog.",
     "Install QDX Mirror Driver, or disable it in the QDX Server Options dialog."},
    {"smisc_mirrordriver_event_unavailable_title", "QDX Mirror Driver is not available",
     "QDX Mirror Driver is not available", "QDX Mirror Driver is not available",
     "QDX Mirror Driver is not available", "QDX Mirror Driver is not available"},
    {"smisc_needs_admin_after_runas",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator.",
     "This operation requires administrative rights. Run the command again as an administrator."},
    {"smisc_noconsole_usage", "Run without opening a console window.",
     "Run without opening a console window.", "Run without opening a console window.",
     "Run without opening a console window.", "Run without opening a console window."},
    {"smisc_permissionscontrol_param_permissions",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted.",
     "The users and groups that may connect to QDX Server, and the permissions that each of them "
     "is granted."},
    {"smisc_permissionssystemauth_add_btn", "&Add...", "&Add...", "&Add...", "&Add...", "&Add..."},
    {"smisc_permissionssystemauth_add_btn_tip", "Add a user or group", "Add a user or group",
     "Add a user or group", "Add a user or group", "Add a user or group"},
    {"smisc_permissionssystemauth_dialog_name", "Name:", "Name:", "Name:", "Name:", "Name:"},
    {"smisc_permissionssystemauth_dialog_title", "Add User or Group", "Add User or Group",
     "Add User or Group", "Add User or Group", "Add User or Group"},
    {"smisc_permissionssystemauth_dialog_type", "Type:", "Type:", "Type:", "Type:", "Type:"},
    {"smisc_permissionssystemauth_dialog_type_group", "Group", "Group", "Group", "Group", "Group"},
    {"smisc_permissionssystemauth_dialog_type_user", "User", "User", "User", "User", "User"},
    {"smisc_permissionssystemauth_remove_btn", "&Remove", "&Remove", "&Remove", "&Remove",
     "&Remove"},
    {"smisc_permissionssystemauth_remove_btn_tip", "Remove the selected user or group",
     "Remove the selected user or group", "Remove the selected user or group",
     "Remove the selected user or group", "Remove the selected user or group"},
    {"smisc_permsqdxauth_add_btn", "&Add...", "&Add...", "&Add...", "&Add...", "&Add..."},
    {"smisc_permsqdxauth_add_btn_tip", "Add a user", "Add a user", "Add a user", "Add a user",
     "Add a user"},
    {"smisc_permsqdxauth_help_user",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need.",
     "Specify a QDX password for each kind of user. QDX Viewer users enter the password that gives "
     "them the access they need."},
    {"smisc_permsqdxauth_invalid_nousers", "At least one user must have a QDX password.",
     "At least one user must have a QDX password.", "At least one user must have a QDX password.",
     "At least one user must have a QDX password.", "At least one user must have a QDX password."},
    {"smisc_permsqdxauth_password_btn", "&Password...", "&Password...", "&Password...",
     "&Password...", "&Password..."},
    {"smisc_permsqdxauth_password_btn_tip", "Change the QDX password of the selected user",
     "Change the QDX password of the selected user", "Change the QDX password of the selected user",
     "Change the QDX password of the selected user",
     "Change the QDX password of the selected user"},
    {"smisc_permsqdxauth_password_removal",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?",
     "Removing this user also removes its QDX password. Do you want to continue?"},
    {"smisc_permsqdxauth_remove_btn", "&Remove", "&Remove", "&Remove", "&Remove", "&Remove"},
    {"smisc_permsqdxauth_remove_btn_tip", "Remove the selected user", "Remove the selected user",
     "Remove the selected user", "Remove the selected user", "Remove the selected user"},
    {"smisc_permsqdxauth_user_admin", "Administrator", "Administrator", "Administrator",
     "Administrator", "Administrator"},
    {"smisc_permsqdxauth_user_standard", "Standard user", "Standard user", "Standard user",
     "Standard user", "Standard user"},
    {"smisc_permsqdxauth_user_viewonly", "View-only user", "View-only user", "View-only user",
     "View-only user", "View-only user"},
    {"smisc_powersettings_on_battery_event_desc",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable.",
     "This computer is running on battery power and may go to sleep, making QDX Server "
     "unavailable."},
    {"smisc_powersettings_on_battery_event_sol", "Connect this computer to a power supply.",
     "Connect this computer to a power supply.", "Connect this computer to a power supply.",
     "Connect this computer to a power supply.", "Connect this computer to a power supply."},
    {"smisc_powersettings_on_battery_event_title", "This computer is running on battery power",
     "This computer is running on battery power", "This computer is running on battery power",
     "This computer is running on battery power", "This computer is running on battery power"},
    {"smisc_powersettings_sleep_event_battery_desc",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity when running on battery "
     "power. QDX Viewer users cannot connect while it is asleep."},
    {"smisc_powersettings_sleep_event_desc",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep.",
     "This computer is set to go to sleep after a period of inactivity. QDX Viewer users cannot "
     "connect while it is asleep."},
    {"smisc_powersettings_sleep_event_sol",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep.",
     "Change the power settings of this computer so that it never goes to sleep."},
    {"smisc_powersettings_sleep_event_title", "This computer may go to sleep",
     "This computer may go to sleep", "This computer may go to sleep",
     "This computer may go to sleep", "This computer may go to sleep"},
    {"smisc_privacymode_screenblanker_permission_desc",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected.",
     "QDX Server needs permission to blank the screen of this computer while QDX Viewer users are "
     "connected."},
    {"smisc_qdxauthuserdlg_confirm_password", "Confirm password:", "Confirm password:",
     "Confirm password:", "Confirm password:", "Confirm password:"},
    {"smisc_qdxauthuserdlg_enter_password",
     "Password:", "Password:", "Password:", "Password:", "Password:"},
    {"smisc_qdxauthuserdlg_info_notmatch", "Please specify the same password.",
     "Please specify the same password.", "Please specify the same password.",
     "Please specify the same password.", "Please specify the same password."},
    {"smisc_qdxauthuserdlg_info_password", "Please specify a password.",
     "Please specify a password.", "Please specify a password.", "Please specify a password.",
     "Please specify a password."},
    {"smisc_qdxauthuserdlg_info_too_short", "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters.",
     "The password must have a minimum of 6 characters."},
    {"smisc_qdxauthuserdlg_legacy_chk", "Allow legacy QDX Viewer users to connect",
     "Allow legacy QDX Viewer users to connect", "Allow legacy QDX Viewer users to connect",
     "Allow legacy QDX Viewer users to connect", "Allow legacy QDX Viewer users to connect"},
    {"smisc_qdxauthuserdlg_legacy_toolong",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox.",
     "Legacy QDX Viewer users will only need the first 8 characters of your QDX password to "
     "connect. To prevent connections from these users, uncheck the checkbox."},
    {"smisc_qdxauthuserdlg_title_add", "Add user", "Add user", "Add user", "Add user", "Add user"},
    {"smisc_qdxauthuserdlg_title_edit", "Specify QDX password", "Specify QDX password",
     "Specify QDX password", "Specify QDX password", "Specify QDX password"},
    {"smisc_qdxauthuserdlg_user", "User:", "User:", "User:", "User:", "User:"},
    {"smisc_queryconnect_action_accept", "Accept", "Accept", "Accept", "Accept", "Accept"},
    {"smisc_queryconnect_action_reject", "Reject", "Reject", "Reject", "Reject", "Reject"},
    {"smisc_queryconnect_action_viewonly", "View only", "View only", "View only", "View only",
     "View only"},
    {"smisc_queryconnect_already", "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer.",
     "Another connection request is already waiting for an answer."},
    {"smisc_queryconnect_consequence",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S.",
     "If you do nothing within the next %1$D seconds then the request will be %2$S."},
    {"smisc_queryconnect_failed",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected.",
     "The connection request could not be shown, so the connection was rejected."},
    {"smisc_queryconnect_header", "Incoming connection request", "Incoming connection request",
     "Incoming connection request", "Incoming connection request", "Incoming connection request"},
    {"smisc_queryconnect_param_message",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML.",
     "Message to use on query connect prompt, maximum length 4096 utf-8 bytes. A very restricted "
     "form of HTML is supported. The characters &<>\"' must be quoted as in HTML."},
    {"smisc_queryconnect_param_queryconnect",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection.",
     "Prompt the user of this computer to accept or reject each incoming connection."},
    {"smisc_queryconnect_param_queryifloggedon",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer.",
     "Only prompt to accept or reject connections when a user is logged in to this computer."},
    {"smisc_queryconnect_param_queryofferviewonly",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt.",
     "Offer the choice of accepting a connection with view-only permissions in the accept/reject "
     "prompt."},
    {"smisc_queryconnect_param_timeout",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions.",
     "The number of seconds to show the accept/reject prompt for, before connections are "
     "automatically granted timeout permissions."},
    {"smisc_queryconnect_param_timeoutrights",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection.",
     "The permissions granted automatically to a connection when the accept/reject prompt times "
     "out, or empty to reject the connection."},
    {"smisc_queryconnect_prompt_admin_marked_up",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer.",
     "A user with administrative rights is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_anon_marked_up",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer.",
     "An anonymous user is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_guest_marked_up",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer.",
     "A guest is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_inputonly_marked_up",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen.",
     "A user is requesting to control your computer without seeing its screen."},
    {"smisc_queryconnect_prompt_name_marked_up_fmt",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer.",
     "User \"%S\" is requesting remote access to your computer."},
    {"smisc_queryconnect_prompt_viewonly_marked_up",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer.",
     "A user is requesting to see your screen without controlling your computer."},
    {"smisc_queryconnect_text_accepted", "accepted", "accepted", "accepted", "accepted",
     "accepted"},
    {"smisc_queryconnect_text_rejected", "rejected", "rejected", "rejected", "rejected",
     "rejected"},
    {"smisc_queryconnect_title", "Tessary Server - Connection Request",
     "Tessary Server - Connection Request", "Tessary Server - Connection Request",
     "Tessary Server - Connection Request", "Tessary Server - Connection Request"},
    {"smisc_rootsecurity_param_rootsecurity",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect.",
     "When QDX Server runs with root privileges, allow only administrators of this computer to "
     "connect."},
    {"smisc_rsakey_event_no_signature_desc",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer.",
     "QDX Server could not read or create its private key, so QDX Viewer users cannot verify the "
     "identity of this computer."},
    {"smisc_rsakey_event_no_signature_sol",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts.",
     "Check that the private key file can be read and written, or delete it so that QDX Server "
     "creates a new key when it next starts."},
    {"smisc_rsakey_event_no_signature_title", "QDX Server cannot prove its identity",
     "QDX Server cannot prove its identity", "QDX Server cannot prove its identity",
     "QDX Server cannot prove its identity", "QDX Server cannot prove its identity"},
    {"smisc_rsakey_generating", "Generating secure key.  Please wait...",
     "Generating secure key.  Please wait...", "Generating secure key.  Please wait...",
     "Generating secure key.  Please wait...", "Generating secure key.  Please wait..."},
    {"smisc_rsakeyfile_param_privatekeyfile",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key.",
     "The file in which QDX Server stores its private key."},
    {"smisc_rsakeygenerate_usage",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one.",
     "Generate a new private key for QDX Server, replacing the existing one."},
    {"smisc_securityqdxauth_event_no_password_desc",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect.",
     "QDX password authentication is selected, but no QDX password has been specified, so QDX "
     "Viewer users cannot connect."},
    {"smisc_securityqdxauth_event_no_password_sol", "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user.",
     "Specify a QDX password for at least one user."},
    {"smisc_securityqdxauth_event_no_password_title", "No QDX password has been specified",
     "No QDX password has been specified", "No QDX password has been specified",
     "No QDX password has been specified", "No QDX password has been specified"},
    {"smisc_securitysystemauth_event_log_desc",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it.",
     "QDX Server records connections in the security log of this computer, but could not write to "
     "it."},
    {"smisc_securitysystemauth_event_log_sol_full",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed.",
     "The security log is full. Clear it, or change its settings so that old events are "
     "overwritten as needed."},
    {"smisc_securitysystemauth_event_log_sol_unconnectable",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer.",
     "QDX Viewer users cannot connect until QDX Server can write to the security log. Check the "
     "security log settings of this computer."},
    {"smisc_securitysystemauth_event_log_title", "QDX Server cannot write to the security log",
     "QDX Server cannot write to the security log", "QDX Server cannot write to the security log",
     "QDX Server cannot write to the security log", "QDX Server cannot write to the security log"},
    {"smisc_serverapp_logged_out", "The user of this computer logged out.",
     "The user of this computer logged out.", "The user of this computer logged out.",
     "The user of this computer logged out.", "The user of this computer logged out."},
    {"smisc_serverapp_param_stopusermodeonswitchout",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account.",
     "Stop QDX Server in User Mode when its user switches to another user account."},
    {"smisc_serverapp_param_systemsleepbehavior",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep.",
     "How QDX Server responds when this computer is about to go to sleep."},
    {"smisc_serverapp_system_suspended", "This computer went to sleep.",
     "This computer went to sleep.", "This computer went to sleep.", "This computer went to sleep.",
     "This computer went to sleep."},
    {"smisc_serverapp_user_switch", "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account.",
     "The user of this computer switched to another user account."},
    {"smisc_service_desc", "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer.",
     "Gives QDX Viewer users remote access to this computer."},
    {"smisc_service_not_automatic", "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically.",
     "The QDX Server service is not set to start automatically."},
    {"smisc_service_not_directly",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly.",
     "QDX Server in Service Mode is started by the system and cannot be run directly."},
    {"smisc_service_param_autologonoverride",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode.",
     "Ignore the automatic login settings of this computer when QDX Server runs in Service Mode."},
    {"smisc_service_usage_start", "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary.",
     "Start the QDX Server service, registering it if necessary."},
    {"smisc_service_usage_status",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running.",
     "Report whether the QDX Server service is registered and running."},
    {"smisc_service_usage_unregister", "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it.",
     "Stop the QDX Server service and unregister it."},
    {"smisc_showstatus_usage",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary.",
     "Show the QDX Server status window, starting QDX Server if necessary."},
    {"smisc_smoduleguestlogin_param_enablemenu",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu.",
     "Show the Guest Access item in the QDX Server menu."},
    {"smisc_suimoduleaddclient_mi_connect", "Connect to Listening QDX Viewer...",
     "Connect to Listening QDX Viewer...", "Connect to Listening QDX Viewer...",
     "Connect to Listening QDX Viewer...", "Connect to Listening QDX Viewer..."},
    {"smisc_suimoduledisconnectclient_mi_disconnect", "Disconnect All Users",
     "Disconnect All Users", "Disconnect All Users", "Disconnect All Users",
     "Disconnect All Users"},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_mac",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the screen, or log the "
     "user out."},
    {"smisc_suimoduledisconnectclient_param_disconnectaction_win",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off.",
     "What to do when the last QDX Viewer user disconnects: nothing, lock the workstation, or log "
     "the user off."},
    {"smisc_suimoduleguestlogin_mi_guest", "Guest Access...", "Guest Access...", "Guest Access...",
     "Guest Access...", "Guest Access..."},
    {"smisc_suimodulesecurityqdxauth_optsec_html_fmt",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page.",
     "Users must enter a password specific to QDX Server. \n\nYou can manage this password on the "
     "<a href=\"%1$S\">Users &amp; Permissions</a> page."},
    {"smisc_suimodulesystemauth_canon_dname", "%1$S [resolved as %2$S]", "%1$S [resolved as %2$S]",
     "%1$S [resolved as %2$S]", "%1$S [resolved as %2$S]", "%1$S [resolved as %2$S]"},
    {"smisc_suimodulesystemauth_desktop_owner", "Logged in user [%S]", "Logged in user [%S]",
     "Logged in user [%S]", "Logged in user [%S]", "Logged in user [%S]"},
    {"smisc_suimodulesystemauth_interactive", "Users logged in at this computer",
     "Users logged in at this computer", "Users logged in at this computer",
     "Users logged in at this computer", "Users logged in at this computer"},
    {"smisc_suimodulesystemauth_optsec",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer.",
     "Users must enter the user name and password of their account on this computer."},
    {"smisc_suimodulesystemauth_server_owner", "QDX Server owner [%S]", "QDX Server owner [%S]",
     "QDX Server owner [%S]", "QDX Server owner [%S]", "QDX Server owner [%S]"},
    {"smisc_suimodulesystemauth_unknown_group", "Unknown group", "Unknown group", "Unknown group",
     "Unknown group", "Unknown group"},
    {"smisc_suimodulesystemauth_unknown_user", "Unknown user", "Unknown user", "Unknown user",
     "Unknown user", "Unknown user"},
    {"smisc_systemnotifier_event_desc",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect.",
     "Notifications for %S have been hidden, so QDX Server cannot display notification messages "
     "when QDX Viewer users connect and disconnect."},
    {"smisc_systemnotifier_event_sol",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer.",
     "Turn notifications for QDX Server back on in the notification settings of this computer."},
    {"smisc_systemnotifier_event_title", "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages",
     "QDX Server cannot display notification messages"},
    {"smisc_systemnotifier_servicemode_name", "QDX Server", "QDX Server", "QDX Server",
     "QDX Server", "QDX Server"},
    {"smisc_systemnotifier_usermode_name", "QDX Server (User mode)", "QDX Server (User mode)",
     "QDX Server (User mode)", "QDX Server (User mode)", "QDX Server (User mode)"},
    {"smisc_uiiplisten_enable_one", "Allow direct QDX &connections over %S",
     "Allow direct QDX &connections over %S", "Allow direct QDX &connections over %S",
     "Allow direct QDX &connections over %S", "Allow direct QDX &connections over %S"},
    {"smisc_uiiplisten_enable_two", "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S",
     "Allow direct QDX &connections over %1$S and %2$S"},
    {"smisc_uiiplisten_port", "Port:", "Port:", "Port:", "Port:", "Port:"},
    {"smisc_uiiplisten_port_tip", "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections",
     "The port on which QDX Server listens for direct QDX connections"},
    {"smisc_upv_event_no_auth_desc",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
     "QDX Server has been configured to accept connections without requiring users to enter a "
     "password. This means your computer will be vulnerable to port scanning attacks, and could be "
     "controlled without your consent.",
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
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme.",
     "Please note turning password protection off is never recommended for a computer connected to "
     "the Internet. To resolve this issue, select a suitable authentication scheme."},
    {"smisc_upv_event_no_auth_title", "QDX Server is not password-protected",
     "QDX Server is not password-protected", "QDX Server is not password-protected",
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

#include "muimisc/MuimiscTranslations.h"

#include "loc/Catalogue.h"

namespace muimisc {
namespace {

// The syntax words of the Log parameter are translated as in the plat catalogue's description of
// that parameter. The proxy types and the binary placeholder are the same in every language.
constexpr loc::CatalogueRow kRows[] = {
    {"muimisc_cleartextpassword_clipboard_tip", "Copy password to clipboard",
     "Kennwort in die Zwischenablage kopieren", "Copiar la contraseña al portapapeles",
     "Copier le mot de passe dans le presse-papiers",
     "Copiar a senha para a área de transferência"},
    {"muimisc_configdlg_help_policy",
     "Some settings on this page are controlled by your system administrator.",
     "Einige Einstellungen auf dieser Seite werden von Ihrem Systemadministrator verwaltet.",
     "Algunos ajustes de esta página los controla el administrador del sistema.",
     "Certains paramètres de cette page sont contrôlés par votre administrateur système.",
     "Algumas configurações desta página são controladas pelo administrador do sistema."},
    {"muimisc_expsec_filter", "Filter:", "Filter:", "Filtro:", "Filtre\u00a0:", "Filtro:"},
    {"muimisc_expsec_help_app", "This parameter is set to the application preference.",
     "Dieser Parameter hat den Wert der Anwendungseinstellung.",
     "Este parámetro tiene el valor de la preferencia de la aplicación.",
     "Ce paramètre a la valeur de la préférence de l'application.",
     "Este parâmetro tem o valor da preferência do aplicativo."},
    {"muimisc_expsec_help_conn", "This parameter overrides the application preference.",
     "Dieser Parameter setzt die Anwendungseinstellung außer Kraft.",
     "Este parámetro anula la preferencia de la aplicación.",
     "Ce paramètre remplace la préférence de l'application.",
     "Este parâmetro substitui a preferência do aplicativo."},
    {"muimisc_expsec_help_default", "This parameter is set to its default value.",
     "Dieser Parameter hat seinen Standardwert.", "Este parámetro tiene su valor predeterminado.",
     "Ce paramètre a sa valeur par défaut.", "Este parâmetro tem o seu valor padrão."},
    {"muimisc_expsec_help_modified", "This parameter has been modified.",
     "Dieser Parameter wurde geändert.", "Este parámetro se ha modificado.",
     "Ce paramètre a été modifié.", "Este parâmetro foi modificado."},
    {"muimisc_expsec_help_policy", "This parameter is controlled by your system administrator.",
     "Dieser Parameter wird von Ihrem Systemadministrator verwaltet.",
     "Este parámetro lo controla el administrador del sistema.",
     "Ce paramètre est contrôlé par votre administrateur système.",
     "Este parâmetro é controlado pelo administrador do sistema."},
    {"muimisc_expsec_more_info_uri", "https://www.tessary.com/en/help/expert-parameters",
     "https://www.tessary.com/de/help/expert-parameters",
     "https://www.tessary.com/es/help/expert-parameters",
     "https://www.tessary.com/fr/help/expert-parameters",
     "https://www.tessary.com/pt-br/help/expert-parameters"},
    {"muimisc_expsec_name", "Name:", "Name:", "Nombre:", "Nom\u00a0:", "Nome:"},
    {"muimisc_expsec_parameter_heading", "Parameter", "Parameter", "Parámetro", "Paramètre",
     "Parâmetro"},
    {"muimisc_expsec_reset_app", "Use app preference", "App-Einstellung verwenden",
     "Usar la preferencia de la aplicación", "Utiliser la préférence de l'application",
     "Usar a preferência do aplicativo"},
    {"muimisc_expsec_reset_app_tip",
     "Discard the value set here and use the application preference instead.",
     "Den hier gesetzten Wert verwerfen und stattdessen die Anwendungseinstellung verwenden.",
     "Descartar el valor establecido aquí y usar en su lugar la preferencia de la aplicación.",
     "Abandonner la valeur définie ici et utiliser à la place la préférence de l'application.",
     "Descartar o valor definido aqui e usar a preferência do aplicativo."},
    {"muimisc_expsec_reset_def", "Reset to default", "Auf Standard zurücksetzen",
     "Restablecer el valor predeterminado", "Rétablir la valeur par défaut",
     "Redefinir para o padrão"},
    {"muimisc_expsec_reset_def_tip",
     "Discard the value set here and return this parameter to its default value.",
     "Den hier gesetzten Wert verwerfen und diesen Parameter auf seinen Standardwert "
     "zurücksetzen.",
     "Descartar el valor establecido aquí y devolver este parámetro a su valor predeterminado.",
     "Abandonner la valeur définie ici et rétablir la valeur par défaut de ce paramètre.",
     "Descartar o valor definido aqui e retornar este parâmetro ao seu valor padrão."},
    {"muimisc_expsec_set_param_failed_fmt", "Failed to set parameter %S",
     "Parameter %S konnte nicht gesetzt werden", "No se pudo establecer el parámetro %S",
     "Impossible de définir le paramètre %S", "Falha ao definir o parâmetro %S"},
    {"muimisc_expsec_set_param_succeeded_fmt", "Set parameter %S", "Parameter %S gesetzt",
     "Parámetro %S establecido", "Paramètre %S défini", "Parâmetro %S definido"},
    {"muimisc_expsec_set_params", "Set parameters", "Parameter setzen", "Establecer parámetros",
     "Définir les paramètres", "Definir parâmetros"},
    {"muimisc_expsec_title", "Expert", "Experte", "Experto", "Expert", "Especialista"},
    {"muimisc_expsec_value", "Value:", "Wert:", "Valor:", "Valeur\u00a0:", "Valor:"},
    {"muimisc_expsec_value_binary", "Value cannot be edited directly",
     "Der Wert kann nicht direkt bearbeitet werden", "El valor no se puede editar directamente",
     "La valeur ne peut pas être modifiée directement", "O valor não pode ser editado diretamente"},
    {"muimisc_expsec_value_binary_placeholder", "<binary>", "<binary>", "<binary>", "<binary>",
     "<binary>"},
    {"muimisc_expsec_value_choice_false", "False", "Falsch", "Falso", "Faux", "Falso"},
    {"muimisc_expsec_value_choice_tip", "Choose the value of this parameter.",
     "Wählen Sie den Wert dieses Parameters.", "Elija el valor de este parámetro.",
     "Choisissez la valeur de ce paramètre.", "Escolha o valor deste parâmetro."},
    {"muimisc_expsec_value_choice_true", "True", "Wahr", "Verdadero", "Vrai", "Verdadeiro"},
    {"muimisc_expsec_value_heading", "Value", "Wert", "Valor", "Valeur", "Valor"},
    {"muimisc_expsec_value_numeric_tip", "Enter a whole number for this parameter.",
     "Geben Sie eine ganze Zahl für diesen Parameter ein.",
     "Escriba un número entero para este parámetro.",
     "Saisissez un nombre entier pour ce paramètre.",
     "Digite um número inteiro para este parâmetro."},
    {"muimisc_expsec_value_text_tip", "Enter the text value of this parameter.",
     "Geben Sie den Textwert dieses Parameters ein.",
     "Escriba el valor de texto de este parámetro.", "Saisissez la valeur texte de ce paramètre.",
     "Digite o valor de texto deste parâmetro."},
    {"muimisc_loggingsection_custom",
     "&Specify custom settings:", "&Benutzerdefinierte Einstellungen festlegen:",
     "&Especificar una configuración personalizada:",
     "&Définir des paramètres personnalisés\u00a0:", "&Especificar configurações personalizadas:"},
    {"muimisc_loggingsection_custom_tip",
     "Choose what is logged, where, and in how much detail, in the syntax of the Log parameter.",
     "Legen Sie in der Syntax des Parameters Log fest, was wohin und wie ausführlich "
     "protokolliert wird.",
     "Elija qué se registra, dónde y con qué nivel de detalle, con la sintaxis del parámetro Log.",
     "Choisissez ce qui est journalisé, où et avec quel niveau de détail, selon la syntaxe du "
     "paramètre Log.",
     "Escolha o que é registrado, onde e com que nível de detalhe, na sintaxe do parâmetro Log."},
    {"muimisc_loggingsection_default", "&Use default setting", "&Standardeinstellung verwenden",
     "&Usar la configuración predeterminada", "&Utiliser le paramètre par défaut",
     "&Usar a configuração padrão"},
    {"muimisc_loggingsection_default_tip",
     "Log errors and important events only, as the application does by default.",
     "Nur Fehler und wichtige Ereignisse protokollieren, wie es die Anwendung standardmäßig tut.",
     "Registrar solo los errores y los eventos importantes, como hace la aplicación de forma "
     "predeterminada.",
     "Journaliser uniquement les erreurs et les événements importants, comme le fait "
     "l'application par défaut.",
     "Registrar apenas erros e eventos importantes, como o aplicativo faz por padrão."},
    {"muimisc_loggingsection_full", "&Create a debug log file", "&Debug-Protokolldatei erstellen",
     "&Crear un archivo de registro de depuración", "&Créer un fichier journal de débogage",
     "&Criar um arquivo de log de depuração"},
    {"muimisc_loggingsection_full_tip",
     "Record every event in full detail to a log file. Use this when technical support asks for "
     "a log.",
     "Alle Ereignisse mit allen Details in einer Protokolldatei aufzeichnen. Verwenden Sie diese "
     "Option, wenn der technische Support ein Protokoll anfordert.",
     "Registrar todos los eventos con todo detalle en un archivo de registro. Use esta opción "
     "cuando el soporte técnico le pida un registro.",
     "Consigner tous les événements en détail dans un fichier journal. Utilisez cette option "
     "lorsque le support technique vous demande un journal.",
     "Registrar todos os eventos com detalhes completos em um arquivo de log. Use esta opção "
     "quando o suporte técnico solicitar um log."},
    {"muimisc_loggingsection_open", "Show in &folder", "Im &Ordner anzeigen",
     "Mostrar en la &carpeta", "Afficher dans le &dossier", "Mostrar na &pasta"},
    {"muimisc_loggingsection_open_tip", "Open the folder that contains the log files.",
     "Den Ordner mit den Protokolldateien öffnen.",
     "Abrir la carpeta que contiene los archivos de registro.",
     "Ouvrir le dossier qui contient les fichiers journaux.",
     "Abrir a pasta que contém os arquivos de log."},
    {"muimisc_loggingsection_outputinfo_fmt",
     "If log output is directed to file, the following will be created:\n%S",
     "Wenn die Protokollausgabe in eine Datei geleitet wird, wird Folgendes erstellt:\n%S",
     "Si la salida del registro se dirige a un archivo, se creará lo siguiente:\n%S",
     "Si la sortie des journaux est dirigée vers un fichier, les éléments suivants seront "
     "créés\u00a0:\n%S",
     "Se a saída de log for direcionada para um arquivo, será criado o seguinte:\n%S"},
    {"muimisc_loggingsection_value_tip",
     "Specify log content, destination, and quality in the form <log>:<target>:<level>[,...]",
     "Geben Sie Protokollinhalt, Ziel und Detailgrad in der Form "
     "<Protokoll>:<Ziel>:<Stufe>[,...] an",
     "Especifique el contenido, el destino y el nivel del registro con el formato "
     "<registro>:<destino>:<nivel>[,...]",
     "Indiquez le contenu, la destination et le niveau des journaux sous la forme "
     "<journal>:<destination>:<niveau>[,...]",
     "Especifique o conteúdo, o destino e o nível do log no formato <log>:<destino>:<nível>[,...]"},
    {"muimisc_proxysection_proxy", "Proxy server", "Proxyserver", "Servidor proxy", "Serveur proxy",
     "Servidor proxy"},
    {"muimisc_proxysection_proxy_disable", "Do not use a proxy", "Keinen Proxy verwenden",
     "No usar un proxy", "Ne pas utiliser de proxy", "Não usar proxy"},
    {"muimisc_proxysection_proxy_disable_tip", "Connect directly, without a proxy server.",
     "Direkt verbinden, ohne Proxyserver.", "Conectarse directamente, sin servidor proxy.",
     "Se connecter directement, sans serveur proxy.", "Conectar diretamente, sem servidor proxy."},
    {"muimisc_proxysection_proxy_mac_tip",
     "Determine proxy settings from System Preferences. Try this if you are unable to connect.",
     "Proxyeinstellungen aus den Systemeinstellungen übernehmen. Versuchen Sie dies, wenn keine "
     "Verbindung zustande kommt.",
     "Obtener la configuración del proxy de Preferencias del Sistema. Pruebe esta opción si no "
     "puede conectarse.",
     "Déterminer les paramètres de proxy à partir des Préférences Système. Essayez cette option si "
     "vous ne parvenez pas à vous connecter.",
     "Determinar as configurações de proxy pelas Preferências do Sistema. Tente esta opção se "
     "não conseguir se conectar."},
    {"muimisc_proxysection_proxy_manual", "Use these proxy settings:",
     "Diese Proxyeinstellungen verwenden:", "Usar esta configuración de proxy:",
     "Utiliser ces paramètres de proxy\u00a0:", "Usar estas configurações de proxy:"},
    {"muimisc_proxysection_proxy_manual_tip",
     "Enter the type and address of the proxy server, and a user name and password if it "
     "requires them.",
     "Geben Sie Typ und Adresse des Proxyservers ein sowie Benutzername und Kennwort, falls er "
     "diese verlangt.",
     "Introduzca el tipo y la dirección del servidor proxy, y un nombre de usuario y una "
     "contraseña si los requiere.",
     "Saisissez le type et l'adresse du serveur proxy, ainsi qu'un nom d'utilisateur et un mot "
     "de passe s'il les demande.",
     "Informe o tipo e o endereço do servidor proxy e, se ele exigir, um nome de usuário e uma "
     "senha."},
    {"muimisc_proxysection_proxy_msie", "Use the Internet Options proxy settings",
     "Proxyeinstellungen aus den Internetoptionen verwenden",
     "Usar la configuración de proxy de Opciones de Internet",
     "Utiliser les paramètres de proxy des Options Internet",
     "Usar as configurações de proxy das Opções da Internet"},
    {"muimisc_proxysection_proxy_msie_tip",
     "Determine proxy settings from Internet Options. Try this if you are unable to connect.",
     "Proxyeinstellungen aus den Internetoptionen übernehmen. Versuchen Sie dies, wenn keine "
     "Verbindung zustande kommt.",
     "Obtener la configuración del proxy de Opciones de Internet. Pruebe esta opción si no puede "
     "conectarse.",
     "Déterminer les paramètres de proxy à partir des Options Internet. Essayez cette option si "
     "vous ne parvenez pas à vous connecter.",
     "Determinar as configurações de proxy pelas Opções da Internet. Tente esta opção se não "
     "conseguir se conectar."},
    {"muimisc_proxysection_proxy_password",
     "Password:", "Kennwort:", "Contraseña:", "Mot de passe\u00a0:", "Senha:"},
    {"muimisc_proxysection_proxy_password_tip",
     "The password for the proxy server, if it requires one.",
     "Das Kennwort für den Proxyserver, falls er eines verlangt.",
     "La contraseña del servidor proxy, si la requiere.",
     "Le mot de passe du serveur proxy, s'il en demande un.",
     "A senha do servidor proxy, se ele exigir uma."},
    {"muimisc_proxysection_proxy_server",
     "Server:", "Server:", "Servidor:", "Serveur\u00a0:", "Servidor:"},
    {"muimisc_proxysection_proxy_server_tip",
     "Hostname:port, IPv4-address:port or [IPv6-address]:port for the proxy server. If you are "
     "unsure what to put here, ask your network administrator.",
     "Hostname:Port, IPv4-Adresse:Port oder [IPv6-Adresse]:Port des Proxyservers. Wenn Sie "
     "nicht sicher sind, was Sie hier eingeben sollen, fragen Sie Ihren Netzwerkadministrator.",
     "Nombre de host:puerto, dirección IPv4:puerto o [dirección IPv6]:puerto del servidor "
     "proxy. Si no sabe qué escribir aquí, consulte al administrador de la red.",
     "Nom d'hôte:port, adresse IPv4:port ou [adresse IPv6]:port du serveur proxy. En cas de "
     "doute, demandez à votre administrateur réseau.",
     "Nome do host:porta, endereço IPv4:porta ou [endereço IPv6]:porta do servidor proxy. Se "
     "não souber o que informar aqui, pergunte ao administrador da rede."},
    {"muimisc_proxysection_proxy_system", "Use the system proxy settings (recommended)",
     "Proxyeinstellungen des Systems verwenden (empfohlen)",
     "Usar la configuración de proxy del sistema (recomendado)",
     "Utiliser les paramètres de proxy du système (recommandé)",
     "Usar as configurações de proxy do sistema (recomendado)"},
    {"muimisc_proxysection_proxy_type", "Type:", "Typ:", "Tipo:", "Type\u00a0:", "Tipo:"},
    {"muimisc_proxysection_proxy_type_http", "HTTP CONNECT", "HTTP CONNECT", "HTTP CONNECT",
     "HTTP CONNECT", "HTTP CONNECT"},
    {"muimisc_proxysection_proxy_type_socks", "SOCKS 5", "SOCKS 5", "SOCKS 5", "SOCKS 5",
     "SOCKS 5"},
    {"muimisc_proxysection_proxy_type_tip",
     "The protocol by which to reach the proxy server: HTTP CONNECT or SOCKS 5.",
     "Das Protokoll, über das der Proxyserver erreicht wird: HTTP CONNECT oder SOCKS 5.",
     "El protocolo con el que se accede al servidor proxy: HTTP CONNECT o SOCKS 5.",
     "Le protocole utilisé pour joindre le serveur proxy\u00a0: HTTP CONNECT ou SOCKS 5.",
     "O protocolo usado para acessar o servidor proxy: HTTP CONNECT ou SOCKS 5."},
    {"muimisc_proxysection_proxy_unix_tip",
     "Determine proxy settings from the environment variables http_proxy, https_proxy and "
     "all_proxy. Try this if you are unable to connect.",
     "Proxyeinstellungen aus den Umgebungsvariablen http_proxy, https_proxy und all_proxy "
     "übernehmen. Versuchen Sie dies, wenn keine Verbindung zustande kommt.",
     "Obtener la configuración del proxy de las variables de entorno http_proxy, https_proxy y "
     "all_proxy. Pruebe esta opción si no puede conectarse.",
     "Déterminer les paramètres de proxy à partir des variables d'environnement http_proxy, "
     "https_proxy et all_proxy. Essayez cette option si vous ne parvenez pas à vous connecter.",
     "Determinar as configurações de proxy pelas variáveis de ambiente http_proxy, https_proxy "
     "e all_proxy. Tente esta opção se não conseguir se conectar."},
    {"muimisc_proxysection_proxy_username", "User name:", "Benutzername:", "Nombre de usuario:",
     "Nom d'utilisateur\u00a0:", "Nome de usuário:"},
    {"muimisc_proxysection_proxy_username_tip",
     "The user name for the proxy server, if it requires one.",
     "Der Benutzername für den Proxyserver, falls er einen verlangt.",
     "El nombre de usuario del servidor proxy, si lo requiere.",
     "Le nom d'utilisateur du serveur proxy, s'il en demande un.",
     "O nome de usuário do servidor proxy, se ele exigir um."},
    {"muimisc_proxysection_validate_proxyserver",
     "The proxy address and port number are not valid. You must enter either hostname:port, "
     "IPv4-address:port or [IPv6-address]:port.",
     "Proxyadresse und Portnummer sind ungültig. Geben Sie entweder Hostname:Port, "
     "IPv4-Adresse:Port oder [IPv6-Adresse]:Port ein.",
     "La dirección y el número de puerto del proxy no son válidos. Debe introducir nombre de "
     "host:puerto, dirección IPv4:puerto o [dirección IPv6]:puerto.",
     "L'adresse et le numéro de port du proxy ne sont pas valides. Vous devez saisir nom "
     "d'hôte:port, adresse IPv4:port ou [adresse IPv6]:port.",
     "O endereço e o número da porta do proxy não são válidos. Informe nome do host:porta, "
     "endereço IPv4:porta ou [endereço IPv6]:porta."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("muimisc_", kRows, 59, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace muimisc

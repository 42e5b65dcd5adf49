#include "http/HttpTranslations.h"

namespace http {
namespace {

// "<host>:<port>" is a pattern the user fills in, so its words are translated; the brackets
// stay.
constexpr loc::CatalogueRow kRows[] = {
    {"http_httpconnect_connection_type", "Direct TCP via HTTP CONNECT proxy %S",
     "Direktes TCP über HTTP-CONNECT-Proxy %S", "TCP directo a través del proxy HTTP CONNECT %S",
     "TCP direct via le proxy HTTP CONNECT %S", "TCP direto via proxy HTTP CONNECT %S"},
    {"http_proxy_param_proxyautoconfig",
     "URL of a proxy auto-configuration (PAC) script with which to choose the proxy for each "
     "connection.",
     "URL eines Skripts zur automatischen Proxykonfiguration (PAC), mit dem der Proxy für jede "
     "Verbindung gewählt wird.",
     "URL de un script de configuración automática de proxy (PAC) con el que se elige el proxy "
     "de cada conexión.",
     "URL d'un script de configuration automatique du proxy (PAC) qui choisit le proxy de chaque "
     "connexion.",
     "URL de um script de configuração automática de proxy (PAC) que escolhe o proxy de cada "
     "conexão."},
    {"http_proxyconfigparam_param_proxypassword",
     "Password with which to authenticate to the proxy server.",
     "Kennwort für die Authentifizierung beim Proxyserver.",
     "Contraseña con la que autenticarse en el servidor proxy.",
     "Mot de passe servant à s'authentifier auprès du serveur proxy.",
     "Senha usada para autenticação no servidor proxy."},
    {"http_proxyconfigparam_param_proxyserver_mac",
     "Proxy server to connect through, as <host>:<port>. Leave empty to use the proxy settings "
     "of macOS.",
     "Proxyserver, über den Verbindungen hergestellt werden, als <Host>:<Port>. Leer lassen, um "
     "die Proxyeinstellungen von macOS zu verwenden.",
     "Servidor proxy a través del que se conecta, con el formato <host>:<puerto>. Déjelo vacío "
     "para usar la configuración de proxy de macOS.",
     "Serveur proxy par lequel passent les connexions, sous la forme <hôte>:<port>. Laissez ce "
     "champ vide pour utiliser les paramètres de proxy de macOS.",
     "Servidor proxy pelo qual conectar, no formato <host>:<porta>. Deixe vazio para usar as "
     "configurações de proxy do macOS."},
    {"http_proxyconfigparam_param_proxyserver_unix",
     "Proxy server to connect through, as <host>:<port>. Leave empty to connect directly.",
     "Proxyserver, über den Verbindungen hergestellt werden, als <Host>:<Port>. Leer lassen, um "
     "ohne Proxy zu verbinden.",
     "Servidor proxy a través del que se conecta, con el formato <host>:<puerto>. Déjelo vacío "
     "para conectarse directamente.",
     "Serveur proxy par lequel passent les connexions, sous la forme <hôte>:<port>. Laissez ce "
     "champ vide pour vous connecter directement.",
     "Servidor proxy pelo qual conectar, no formato <host>:<porta>. Deixe vazio para conectar "
     "diretamente."},
    {"http_proxyconfigparam_param_proxyserver_win",
     "Proxy server to connect through, as <host>:<port>. Leave empty to use the proxy settings "
     "of Windows.",
     "Proxyserver, über den Verbindungen hergestellt werden, als <Host>:<Port>. Leer lassen, um "
     "die Proxyeinstellungen von Windows zu verwenden.",
     "Servidor proxy a través del que se conecta, con el formato <host>:<puerto>. Déjelo vacío "
     "para usar la configuración de proxy de Windows.",
     "Serveur proxy par lequel passent les connexions, sous la forme <hôte>:<port>. Laissez ce "
     "champ vide pour utiliser les paramètres de proxy de Windows.",
     "Servidor proxy pelo qual conectar, no formato <host>:<porta>. Deixe vazio para usar as "
     "configurações de proxy do Windows."},
    {"http_proxyconfigparam_param_proxyusername",
     "User name with which to authenticate to the proxy server.",
     "Benutzername für die Authentifizierung beim Proxyserver.",
     "Nombre de usuario con el que autenticarse en el servidor proxy.",
     "Nom d'utilisateur servant à s'authentifier auprès du serveur proxy.",
     "Nome de usuário usado para autenticação no servidor proxy."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("http_", kRows, 7, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace http

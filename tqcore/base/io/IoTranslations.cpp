#include "io/IoTranslations.h"

#include "loc/Catalogue.h"

namespace io {
namespace {

// "%%" is a literal percent sign: these texts pass through the message formatter.
constexpr loc::CatalogueRow kRows[] = {
    {"io_dscp_param",
     "DSCP (Differentiated Services Code Point) value with which to mark outgoing network "
     "packets.",
     "DSCP-Wert (Differentiated Services Code Point), mit dem ausgehende Netzwerkpakete "
     "markiert werden.",
     "Valor DSCP (Differentiated Services Code Point) con el que se marcan los paquetes de red "
     "salientes.",
     "Valeur DSCP (Differentiated Services Code Point) avec laquelle marquer les paquets réseau "
     "sortants.",
     "Valor DSCP (Differentiated Services Code Point) com o qual marcar os pacotes de rede de "
     "saída."},
    {"io_error_eai_again", "Temporary name lookup failure",
     "Vorübergehender Fehler bei der Namensauflösung", "Error temporal en la resolución de nombres",
     "Échec temporaire de la résolution de noms", "Falha temporária na resolução de nomes"},
    {"io_error_eai_nodata", "The requested name does not have an IP address",
     "Der angeforderte Name hat keine IP-Adresse",
     "El nombre solicitado no tiene ninguna dirección IP", "Le nom demandé n'a pas d'adresse IP",
     "O nome solicitado não tem um endereço IP"},
    {"io_error_eai_noname", "No such host is known", "Dieser Host ist nicht bekannt",
     "No se conoce ese host", "Cet hôte est inconnu", "Esse host não é conhecido"},
    {"io_error_endpoint_badescape", "Invalid endpoint: incorrect %% escape",
     "Ungültiger Endpunkt: fehlerhafte %%-Maskierung",
     "Punto de conexión no válido: secuencia de escape %% incorrecta",
     "Point de terminaison non valide\u00a0: séquence d'échappement %% incorrecte",
     "Ponto de extremidade inválido: escape %% incorreto"},
    {"io_error_endpoint_badport", "Invalid endpoint: port not correctly specified",
     "Ungültiger Endpunkt: Port nicht korrekt angegeben",
     "Punto de conexión no válido: el puerto no se ha especificado correctamente",
     "Point de terminaison non valide\u00a0: port mal spécifié",
     "Ponto de extremidade inválido: porta especificada incorretamente"},
    {"io_error_endpoint_bracket", "Invalid endpoint: unmatched \"[\" in host",
     "Ungültiger Endpunkt: „[“ ohne schließende Klammer im Host",
     "Punto de conexión no válido: «[» sin cerrar en el host",
     "Point de terminaison non valide\u00a0: «\u00a0[\u00a0» sans correspondance dans l'hôte",
     "Ponto de extremidade inválido: “[” sem correspondência no host"},
    {"io_error_endpoint_empty", "Invalid endpoint: empty host and/or port",
     "Ungültiger Endpunkt: Host und/oder Port leer",
     "Punto de conexión no válido: host o puerto vacío",
     "Point de terminaison non valide\u00a0: hôte et/ou port vide",
     "Ponto de extremidade inválido: host e/ou porta vazios"},
    {"io_error_endpoint_general", "Invalid endpoint", "Ungültiger Endpunkt",
     "Punto de conexión no válido", "Point de terminaison non valide",
     "Ponto de extremidade inválido"},
    {"io_error_ip_nethostunreach", "No route to the host is known",
     "Es ist keine Route zum Host bekannt", "No se conoce ninguna ruta al host",
     "Aucun itinéraire vers l'hôte n'est connu", "Nenhuma rota para o host é conhecida"},
    {"io_error_proxy_disconnected", "disconnected by proxy", "vom Proxy getrennt",
     "desconectado por el proxy", "déconnecté par le proxy", "desconectado pelo proxy"},
    {"io_error_proxy_general", "Unable to connect via %1$S: %2$S",
     "Verbindung über %1$S nicht möglich: %2$S", "No se puede conectar a través de %1$S: %2$S",
     "Impossible de se connecter via %1$S\u00a0: %2$S", "Não é possível conectar via %1$S: %2$S"},
    {"io_error_tcp_conndropped", "The connection was refused during establishment",
     "Die Verbindung wurde während des Aufbaus abgelehnt",
     "La conexión se rechazó durante su establecimiento",
     "La connexion a été refusée pendant son établissement",
     "A conexão foi recusada durante o estabelecimento"},
    {"io_error_tcp_connrefused", "The connection was refused by the computer",
     "Die Verbindung wurde vom Computer abgelehnt", "El equipo rechazó la conexión",
     "La connexion a été refusée par l'ordinateur", "A conexão foi recusada pelo computador"},
    {"io_error_tcp_connreset", "The connection was closed remotely",
     "Die Verbindung wurde von der Gegenstelle geschlossen", "La conexión se cerró de forma remota",
     "La connexion a été fermée à distance", "A conexão foi fechada remotamente"},
    {"io_error_tcp_timedout", "Timed out waiting for a response from the computer",
     "Zeitüberschreitung beim Warten auf eine Antwort des Computers",
     "Se agotó el tiempo de espera de una respuesta del equipo",
     "Délai d'attente de la réponse de l'ordinateur dépassé",
     "Tempo limite esgotado ao aguardar uma resposta do computador"},
    {"io_param_blacklist_threshold",
     "Number of failed authentication attempts from one computer after which it is "
     "blacklisted.",
     "Anzahl fehlgeschlagener Authentifizierungsversuche eines Computers, nach der dieser "
     "gesperrt wird.",
     "Número de intentos de autenticación fallidos desde un mismo equipo tras los cuales este "
     "queda bloqueado.",
     "Nombre de tentatives d'authentification échouées depuis un même ordinateur à partir "
     "duquel celui-ci est bloqué.",
     "Número de tentativas de autenticação malsucedidas de um mesmo computador após o qual ele "
     "é bloqueado."},
    {"io_param_blacklist_timeout",
     "Number of seconds for which connections from a blacklisted computer are refused.",
     "Anzahl der Sekunden, für die Verbindungen eines gesperrten Computers abgelehnt werden.",
     "Número de segundos durante los que se rechazan las conexiones de un equipo bloqueado.",
     "Nombre de secondes pendant lesquelles les connexions d'un ordinateur bloqué sont "
     "refusées.",
     "Número de segundos durante os quais as conexões de um computador bloqueado são "
     "recusadas."},
    {"io_proxy_connection_desc", "Direct TCP via proxy settings",
     "Direktes TCP über Proxyeinstellungen", "TCP directo mediante la configuración de proxy",
     "TCP direct via les paramètres de proxy", "TCP direto pelas configurações de proxy"},
    {"io_socks5_connection_type", "Direct TCP via SOCKS5 proxy %S",
     "Direktes TCP über SOCKS5-Proxy %S", "TCP directo a través del proxy SOCKS5 %S",
     "TCP direct via le proxy SOCKS5 %S", "TCP direto via proxy SOCKS5 %S"},
    {"io_tcp_connection_type", "Direct TCP", "Direktes TCP", "TCP directo", "TCP direct",
     "TCP direto"},
    {"io_udp_connection_type", "Direct UDP", "Direktes UDP", "UDP directo", "UDP direct",
     "UDP direto"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("io_", kRows, 22, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace io

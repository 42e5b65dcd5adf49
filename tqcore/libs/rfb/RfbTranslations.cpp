#include "rfb/RfbTranslations.h"

namespace rfb {
namespace {

// The names of the encryption levels start in lower case: they are put into sentences.
constexpr loc::CatalogueRow kRows[] = {
    {"rfb_cconnection_reading_ver_failed", "Could not read the protocol version from the server",
     "Die Protokollversion des Servers konnte nicht gelesen werden",
     "No se pudo leer la versión de protocolo del servidor",
     "Impossible de lire la version de protocole du serveur",
     "Não foi possível ler a versão do protocolo do servidor"},
    {"rfb_connection_no_keep_alive_response",
     "The other computer stopped responding to keep-alive messages",
     "Der andere Computer antwortet nicht mehr auf Keep-Alive-Nachrichten",
     "El otro equipo dejó de responder a los mensajes de keep-alive",
     "L'autre ordinateur ne répond plus aux messages keep-alive",
     "O outro computador parou de responder às mensagens de keep-alive"},
    {"rfb_cprotov4down_ard_incompatible_version",
     "The server uses an incompatible version of the protocol",
     "Der Server verwendet eine inkompatible Protokollversion",
     "El servidor usa una versión del protocolo incompatible",
     "Le serveur utilise une version incompatible du protocole",
     "O servidor usa uma versão incompatível do protocolo"},
    {"rfb_cprotov4down_nomatchingsectypes",
     "The server does not offer any security type that this computer supports",
     "Der Server bietet keinen Sicherheitstyp an, den dieser Computer unterstützt",
     "El servidor no ofrece ningún tipo de seguridad compatible con este equipo",
     "Le serveur ne propose aucun type de sécurité pris en charge par cet ordinateur",
     "O servidor não oferece nenhum tipo de segurança compatível com este computador"},
    {"rfb_cprotov5_no_ciphers", "The server and this computer have no encryption method in common",
     "Der Server und dieser Computer haben kein gemeinsames Verschlüsselungsverfahren",
     "El servidor y este equipo no tienen ningún método de cifrado en común",
     "Le serveur et cet ordinateur n'ont aucune méthode de chiffrement en commun",
     "O servidor e este computador não têm nenhum método de criptografia em comum"},
    {"rfb_param_alter_shift_with_mods",
     "Adjust the Shift state sent with a key that is pressed together with other modifier keys, "
     "so that the remote computer receives the intended character.",
     "Passt den Zustand der Umschalttaste an, der mit einer zusammen mit anderen Sondertasten "
     "gedrückten Taste gesendet wird, damit der entfernte Computer das beabsichtigte Zeichen "
     "erhält.",
     "Ajusta el estado de Mayús que se envía con una tecla pulsada junto con otras teclas "
     "modificadoras, para que el equipo remoto reciba el carácter deseado.",
     "Ajuste l'état de la touche Maj envoyé avec une touche enfoncée en même temps que d'autres "
     "touches de modification, afin que l'ordinateur distant reçoive le caractère voulu.",
     "Ajusta o estado de Shift enviado com uma tecla pressionada junto com outras teclas "
     "modificadoras, para que o computador remoto receba o caractere pretendido."},
    {"rfb_param_protocolversion",
     "Version of the remote-access protocol to use. Leave empty to use the latest supported "
     "version.",
     "Zu verwendende Version des Fernzugriffsprotokolls. Leer lassen, um die neueste "
     "unterstützte Version zu verwenden.",
     "Versión del protocolo de acceso remoto que se usa. Déjelo vacío para usar la versión "
     "compatible más reciente.",
     "Version du protocole d'accès à distance à utiliser. Laissez ce champ vide pour utiliser "
     "la dernière version prise en charge.",
     "Versão do protocolo de acesso remoto a ser usada. Deixe vazio para usar a versão "
     "suportada mais recente."},
    {"rfb_security_128_AES", "128-bit AES encryption", "128-Bit-AES-Verschlüsselung",
     "cifrado AES de 128 bits", "chiffrement AES 128\u00a0bits", "criptografia AES de 128 bits"},
    {"rfb_security_256_AES", "256-bit AES encryption", "256-Bit-AES-Verschlüsselung",
     "cifrado AES de 256 bits", "chiffrement AES 256\u00a0bits", "criptografia AES de 256 bits"},
    {"rfb_security_no_encryption", "no encryption", "keine Verschlüsselung", "sin cifrado",
     "aucun chiffrement", "sem criptografia"},
    {"rfb_sprotov4down_no_3_3_sec_type",
     "No security type is available for a viewer that uses protocol version 3.3",
     "Für einen Viewer mit Protokollversion 3.3 ist kein Sicherheitstyp verfügbar",
     "No hay ningún tipo de seguridad disponible para un visor que usa la versión 3.3 del "
     "protocolo",
     "Aucun type de sécurité n'est disponible pour un visualiseur utilisant la version 3.3 du "
     "protocole",
     "Nenhum tipo de segurança está disponível para um visualizador que usa a versão 3.3 do "
     "protocolo"},
    {"rfb_sprotov4down_no_sec_types", "No security type is enabled for incoming connections",
     "Für eingehende Verbindungen ist kein Sicherheitstyp aktiviert",
     "No hay ningún tipo de seguridad habilitado para las conexiones entrantes",
     "Aucun type de sécurité n'est activé pour les connexions entrantes",
     "Nenhum tipo de segurança está habilitado para conexões de entrada"},
    {"rfb_sprotov4down_psk_peerversion",
     "The viewer's protocol version does not support connecting with a pre-shared key",
     "Die Protokollversion des Viewers unterstützt keine Verbindung mit einem Pre-Shared Key",
     "La versión de protocolo del visor no admite la conexión con una clave precompartida",
     "La version de protocole du visualiseur ne prend pas en charge la connexion avec une clé "
     "prépartagée",
     "A versão do protocolo do visualizador não suporta conexão com uma chave "
     "pré-compartilhada"},
    {"rfb_sprotov5_nomatchingciphersuites",
     "The viewer and this computer have no cipher suite in common",
     "Der Viewer und dieser Computer haben keine gemeinsame Cipher-Suite",
     "El visor y este equipo no tienen ningún conjunto de cifrado en común",
     "Le visualiseur et cet ordinateur n'ont aucune suite de chiffrement en commun",
     "O visualizador e este computador não têm nenhum conjunto de cifras em comum"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("rfb_", kRows, 14, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace rfb

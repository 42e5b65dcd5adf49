#include "ssl/SslTranslations.h"

namespace ssl {
namespace {

// The values a user types ("None", "Normal", "High") stay in English in every language.
constexpr loc::CatalogueRow kRows[] = {
    {"ssl_param_ocspnonce",
     "Whether OCSP requests carry a nonce: None (no nonce), Request (a nonce is sent, but "
     "responses without it are accepted) or Require (responses must return the nonce).",
     "Ob OCSP-Anfragen eine Nonce enthalten: None (keine Nonce), Request (eine Nonce wird "
     "gesendet, Antworten ohne sie werden aber angenommen) oder Require (Antworten müssen die "
     "Nonce zurückgeben).",
     "Indica si las solicitudes OCSP llevan un nonce: None (sin nonce), Request (se envía un "
     "nonce, pero se aceptan respuestas sin él) o Require (las respuestas deben devolver el "
     "nonce).",
     "Indique si les requêtes OCSP comportent un nonce\u00a0: None (aucun nonce), Request (un "
     "nonce est envoyé, mais les réponses qui ne le renvoient pas sont acceptées) ou Require "
     "(les réponses doivent renvoyer le nonce).",
     "Define se as solicitações OCSP levam um nonce: None (sem nonce), Request (um nonce é "
     "enviado, mas respostas sem ele são aceitas) ou Require (as respostas devem devolver o "
     "nonce)."},
    {"ssl_param_tlsprofile",
     "The security strength to enforce when making TLS connections. For 'Normal', TLS 1.2 is "
     "mandated, no broken fallback ciphers are allowed, and key strength is checked for "
     "security (no SHA-1 or small keys). Selecting 'High' limits cipher choices to AES-256 with "
     "no legacy ciphers.",
     "Die Sicherheitsstufe, die bei TLS-Verbindungen durchgesetzt wird. Bei „Normal“ ist TLS 1.2 "
     "vorgeschrieben, unsichere Fallback-Verschlüsselungsverfahren sind nicht zulässig und die "
     "Schlüsselstärke wird geprüft (kein SHA-1, keine kurzen Schlüssel). „High“ beschränkt die "
     "Verschlüsselung auf AES-256 ohne veraltete Verfahren.",
     "Nivel de seguridad que se exige en las conexiones TLS. Con «Normal», TLS 1.2 es "
     "obligatorio, no se permiten cifrados alternativos vulnerables y se comprueba la solidez de "
     "las claves (sin SHA-1 ni claves cortas). Con «High», los cifrados se limitan a AES-256, "
     "sin cifrados heredados.",
     "Niveau de sécurité imposé aux connexions TLS. Avec «\u00a0Normal\u00a0», TLS 1.2 est "
     "obligatoire, aucun chiffrement de repli vulnérable n'est autorisé et la robustesse des "
     "clés est vérifiée (ni SHA-1, ni clés courtes). «\u00a0High\u00a0» limite les chiffrements "
     "à AES-256, sans chiffrement obsolète.",
     "Nível de segurança exigido nas conexões TLS. Com “Normal”, o TLS 1.2 é obrigatório, não "
     "são permitidas cifras alternativas vulneráveis e a força das chaves é verificada (sem "
     "SHA-1 nem chaves curtas). “High” limita as cifras ao AES-256, sem cifras legadas."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("ssl_", kRows, 2, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace ssl

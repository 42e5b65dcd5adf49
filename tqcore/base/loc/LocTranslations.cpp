#include "loc/LocTranslations.h"

#include "loc/Catalogue.h"

namespace loc {
namespace {

// French writes sizes and rates in octets (Ko, Mo, Go, To); the other languages keep the
// English unit symbols.
constexpr CatalogueRow kRows[] = {
    {"loc_byterate_gibi_many", "%D GB/s", "%D GB/s", "%D GB/s", "%D Go/s", "%D GB/s"},
    {"loc_byterate_gibi_sing", "%D GB/s", "%D GB/s", "%D GB/s", "%D Go/s", "%D GB/s"},
    {"loc_byterate_kibi_many", "%D KB/s", "%D KB/s", "%D KB/s", "%D Ko/s", "%D KB/s"},
    {"loc_byterate_kibi_sing", "%D KB/s", "%D KB/s", "%D KB/s", "%D Ko/s", "%D KB/s"},
    {"loc_byterate_mebi_many", "%D MB/s", "%D MB/s", "%D MB/s", "%D Mo/s", "%D MB/s"},
    {"loc_byterate_mebi_sing", "%D MB/s", "%D MB/s", "%D MB/s", "%D Mo/s", "%D MB/s"},
    {"loc_byterate_unit_many", "%D bytes/s", "%D Byte/s", "%D bytes/s", "%D octets/s",
     "%D bytes/s"},
    {"loc_byterate_unit_sing", "%D byte/s", "%D Byte/s", "%D byte/s", "%D octet/s", "%D byte/s"},
    {"loc_bytesize_gibi_decimal", "%S GB", "%S GB", "%S GB", "%S Go", "%S GB"},
    {"loc_bytesize_kibi_decimal", "%S KB", "%S KB", "%S KB", "%S Ko", "%S KB"},
    {"loc_bytesize_mebi_decimal", "%S MB", "%S MB", "%S MB", "%S Mo", "%S MB"},
    {"loc_bytesize_tebi_decimal", "%S TB", "%S TB", "%S TB", "%S To", "%S TB"},
    {"loc_bytesize_unit_many", "%D bytes", "%D Byte", "%D bytes", "%D octets", "%D bytes"},
    {"loc_bytesize_unit_sing", "%D byte", "%D Byte", "%D byte", "%D octet", "%D byte"},
    {"loc_param_locale",
     "Locale to use. Specify one of en_US, de_DE, es_ES, fr_FR, or pt_BR, or leave empty to "
     "select the user or system locale as appropriate.",
     "Zu verwendendes Gebietsschema. Geben Sie en_US, de_DE, es_ES, fr_FR oder pt_BR an, oder "
     "lassen Sie den Wert leer, um je nach Bedarf das Gebietsschema des Benutzers oder des "
     "Systems zu verwenden.",
     "Configuración regional que se va a usar. Especifique en_US, de_DE, es_ES, fr_FR o pt_BR, "
     "o déjelo vacío para seleccionar la configuración regional del usuario o del sistema, "
     "según corresponda.",
     "Paramètres régionaux à utiliser. Indiquez en_US, de_DE, es_ES, fr_FR ou pt_BR, ou laissez "
     "vide pour sélectionner les paramètres régionaux de l'utilisateur ou du système, selon le "
     "cas.",
     "Localidade a ser usada. Especifique en_US, de_DE, es_ES, fr_FR ou pt_BR, ou deixe em "
     "branco para selecionar a localidade do usuário ou do sistema, conforme apropriado."},
    {"loc_period_day_many", "%D days", "%D Tage", "%D días", "%D jours", "%D dias"},
    {"loc_period_day_sing", "%D day", "%D Tag", "%D día", "%D jour", "%D dia"},
    {"loc_period_hour_many", "%D hours", "%D Stunden", "%D horas", "%D heures", "%D horas"},
    {"loc_period_hour_sing", "%D hour", "%D Stunde", "%D hora", "%D heure", "%D hora"},
    {"loc_period_minute_many", "%D minutes", "%D Minuten", "%D minutos", "%D minutes",
     "%D minutos"},
    {"loc_period_minute_sing", "%D minute", "%D Minute", "%D minuto", "%D minute", "%D minuto"},
    {"loc_period_second_many", "%D seconds", "%D Sekunden", "%D segundos", "%D secondes",
     "%D segundos"},
    {"loc_period_second_sing", "%D second", "%D Sekunde", "%D segundo", "%D seconde", "%D segundo"},
    {"loc_time_tomorrow", "tomorrow", "morgen", "mañana", "demain", "amanhã"},
    {"loc_time_yesterday", "yesterday", "gestern", "ayer", "hier", "ontem"},
    {"loc_timedate_separator", "%1$S, %2$S", "%1$S, %2$S", "%1$S, %2$S", "%1$S, %2$S",
     "%1$S, %2$S"},
    {"loc_timezone_separator", "%1$S %2$S", "%1$S %2$S", "%1$S %2$S", "%1$S %2$S", "%1$S %2$S"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("loc_", kRows, 27, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace loc

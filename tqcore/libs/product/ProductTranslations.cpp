#include "product/ProductTranslations.h"

#include "loc/Catalogue.h"

namespace product {
namespace {

// The legal signs are written "(C)", "(R)" and "(TM)", as the product-information text shows
// them. The marked-up text is two div blocks; its %S is the address of the acknowledgements.
constexpr loc::CatalogueRow kRows[] = {
    {"product_about_fmt", "About Tessary Connect %S", "Über Tessary Connect %S",
     "Acerca de Tessary Connect %S", "À propos de Tessary Connect %S",
     "Sobre o Tessary Connect %S"},
    {"product_ack_intro",
     "This product includes third-party software; the acknowledgements are listed on the "
     "Tessary web site.",
     "Dieses Produkt enthält Software von Drittanbietern; die Danksagungen finden Sie auf der "
     "Website von Tessary.",
     "Este producto incluye software de terceros; los agradecimientos figuran en el sitio web "
     "de Tessary.",
     "Ce produit contient des logiciels tiers\u00a0; les remerciements figurent sur le site web "
     "de Tessary.",
     "Este produto inclui software de terceiros; os agradecimentos estão disponíveis no site da "
     "Tessary."},
    {"product_copyright", "Copyright (C) 2024 Tessary. All rights reserved.",
     "Copyright (C) 2024 Tessary. Alle Rechte vorbehalten.",
     "Copyright (C) 2024 Tessary. Todos los derechos reservados.",
     "Copyright (C) 2024 Tessary. Tous droits réservés.",
     "Copyright (C) 2024 Tessary. Todos os direitos reservados."},
    {"product_further_info", "For more information, visit https://www.tessary.com",
     "Weitere Informationen finden Sie unter https://www.tessary.com",
     "Para obtener más información, visite https://www.tessary.com",
     "Pour en savoir plus, rendez-vous sur https://www.tessary.com",
     "Para obter mais informações, acesse https://www.tessary.com"},
    {"product_info_marked_up_fmt",
     "<div>Copyright (C) 2024 Tessary. All rights reserved. Tessary(R), Tessary Connect(TM) and "
     "QDX(R) are trademarks or registered trademarks of Tessary. Protected by patents: see "
     "<a href=\"https://www.tessary.com/patents\">www.tessary.com/patents</a>. For more "
     "information, visit <a href=\"https://www.tessary.com\">www.tessary.com</a>.</div>"
     "<div>This product includes third-party software; see the "
     "<a href=\"%S\">acknowledgements</a>.</div>",
     "<div>Copyright (C) 2024 Tessary. Alle Rechte vorbehalten. Tessary(R), Tessary Connect(TM) "
     "und QDX(R) sind Marken oder eingetragene Marken von Tessary. Patentgeschützt: siehe "
     "<a href=\"https://www.tessary.com/patents\">www.tessary.com/patents</a>. Weitere "
     "Informationen finden Sie unter <a href=\"https://www.tessary.com\">www.tessary.com</a>."
     "</div><div>Dieses Produkt enthält Software von Drittanbietern; siehe "
     "<a href=\"%S\">Danksagungen</a>.</div>",
     "<div>Copyright (C) 2024 Tessary. Todos los derechos reservados. Tessary(R), Tessary "
     "Connect(TM) y QDX(R) son marcas comerciales o marcas registradas de Tessary. Protegido por "
     "patentes: consulte <a href=\"https://www.tessary.com/patents\">www.tessary.com/patents</a>"
     ". Para obtener más información, visite "
     "<a href=\"https://www.tessary.com\">www.tessary.com</a>.</div>"
     "<div>Este producto incluye software de terceros; consulte los "
     "<a href=\"%S\">agradecimientos</a>.</div>",
     "<div>Copyright (C) 2024 Tessary. Tous droits réservés. Tessary(R), Tessary Connect(TM) et "
     "QDX(R) sont des marques commerciales ou des marques déposées de Tessary. Protégé par des "
     "brevets\u00a0: voir "
     "<a href=\"https://www.tessary.com/patents\">www.tessary.com/patents</a>. Pour en savoir "
     "plus, rendez-vous sur <a href=\"https://www.tessary.com\">www.tessary.com</a>.</div>"
     "<div>Ce produit contient des logiciels tiers\u00a0; consultez les "
     "<a href=\"%S\">remerciements</a>.</div>",
     "<div>Copyright (C) 2024 Tessary. Todos os direitos reservados. Tessary(R), Tessary "
     "Connect(TM) e QDX(R) são marcas comerciais ou marcas registradas da Tessary. Protegido por "
     "patentes: consulte <a href=\"https://www.tessary.com/patents\">www.tessary.com/patents</a>"
     ". Para obter mais informações, acesse "
     "<a href=\"https://www.tessary.com\">www.tessary.com</a>.</div>"
     "<div>Este produto inclui software de terceiros; consulte os "
     "<a href=\"%S\">agradecimentos</a>.</div>"},
    {"product_patents",
     "This product is protected by patents and pending patent applications; for details, see "
     "https://www.tessary.com/patents",
     "Dieses Produkt ist durch Patente und angemeldete Patente geschützt; Einzelheiten finden "
     "Sie unter https://www.tessary.com/patents",
     "Este producto está protegido por patentes y solicitudes de patente en trámite; para más "
     "información, consulte https://www.tessary.com/patents",
     "Ce produit est protégé par des brevets et des demandes de brevet en cours\u00a0; pour plus "
     "de détails, consultez https://www.tessary.com/patents",
     "Este produto é protegido por patentes e pedidos de patente pendentes; para obter "
     "detalhes, consulte https://www.tessary.com/patents"},
    {"product_trademarks",
     "Tessary(R), Tessary Connect(TM) and QDX(R) are trademarks or registered trademarks of "
     "Tessary.",
     "Tessary(R), Tessary Connect(TM) und QDX(R) sind Marken oder eingetragene Marken von "
     "Tessary.",
     "Tessary(R), Tessary Connect(TM) y QDX(R) son marcas comerciales o marcas registradas de "
     "Tessary.",
     "Tessary(R), Tessary Connect(TM) et QDX(R) sont des marques commerciales ou des marques "
     "déposées de Tessary.",
     "Tessary(R), Tessary Connect(TM) e QDX(R) são marcas comerciais ou marcas registradas da "
     "Tessary."},
};

}  // namespace

LOC_DEFINE_CATALOGUE("product_", kRows, 7, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace product

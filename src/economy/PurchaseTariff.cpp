#include "economy/PurchaseTariff.h"

#include <cmath>

#include "core/CalcError.h"
#include "core/NumberText.h"

namespace aub {

double obligationTariff(const TariffRule& rule, double headM) {
    if (headM <= rule.lowHead) return rule.lowHeadTariff;
    if (headM >= rule.highHead) return rule.highHeadTariff;
    const double x = (headM - rule.lowHead) / (rule.highHead - rule.lowHead);
    return rule.lowHeadTariff + x * (rule.highHeadTariff - rule.lowHeadTariff);
}

std::optional<std::string> saleRefusal(const TariffRule& rule, const SaleInputs& in) {
    auto share = [](double v) { return std::isfinite(v) && v >= 0 && v <= 1; };
    auto price = [](double v) { return std::isfinite(v) && v >= 0; };
    switch (in.mode) {
        case SaleMode::FixedPrice:
            if (!price(in.fixedPrice)) return "Le prix de vente doit être positif ou nul.";
            return std::nullopt;
        case SaleMode::SelfConsumption:
            if (!share(in.selfShare)) return "La part autoconsommée doit être comprise entre 0 et 100 %.";
            if (!price(in.savedPrice) || !price(in.surplusPrice)) return "Les prix doivent être positifs ou nuls.";
            return std::nullopt;
        case SaleMode::PurchaseObligation:
            break;
    }
    if (!(rule.ceilingKw > 0)) return "Le plafond de puissance de l'obligation d'achat doit être positif.";
    if (!(rule.lowHead >= 0) || !(rule.highHead > rule.lowHead))
        return "Les chutes des tarifs doivent croître : basse chute puis haute chute.";
    if (!price(rule.lowHeadTariff) || !price(rule.highHeadTariff) || !price(rule.winterFactor) ||
        !price(rule.summerFactor))
        return "Les tarifs et leurs coefficients doivent être positifs ou nuls.";
    if (!share(in.winterShare)) return "La part de l'hiver doit être comprise entre 0 et 100 %.";
    if (!(in.headM > 0)) return "La hauteur de chute doit être positive.";
    if (!(in.installedPowerKw < rule.ceilingKw))
        return "La puissance installée (" + formatMask(in.installedPowerKw, "0.0") +
               " kW) atteint ou dépasse le plafond de l'obligation d'achat (" + formatGeneral(rule.ceilingKw) +
               " kW) : pas de tarif d'achat. Choisissez « Prix de vente fixé » (marché ou complément de "
               "rémunération) ou « Autoconsommation ».";
    return std::nullopt;
}

SalePrice salePrice(const TariffRule& rule, const SaleInputs& in) {
    if (auto refused = saleRefusal(rule, in)) throw CalcError(ErrBadCall, *refused);
    SalePrice p;
    switch (in.mode) {
        case SaleMode::FixedPrice:
            p.winter = p.summer = p.mean = in.fixedPrice;
            break;
        case SaleMode::SelfConsumption:
            p.mean = in.selfShare * in.savedPrice + (1 - in.selfShare) * in.surplusPrice;
            p.winter = p.summer = p.mean;
            break;
        case SaleMode::PurchaseObligation: {
            const double t = obligationTariff(rule, in.headM);
            p.winter = rule.winterFactor * t;
            p.summer = rule.summerFactor * t;
            p.mean = in.winterShare * p.winter + (1 - in.winterShare) * p.summer;
            break;
        }
    }
    return p;
}

}  // namespace aub

#include "economy/BilanEconomique.h"

#include <algorithm>
#include <cmath>

#include "core/CalcError.h"
#include "core/Messenger.h"
#include "core/NumberText.h"
#include "economy/InvestmentCost.h"
#include "economy/PurchaseTariff.h"
#include "energy/Productible.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

// Every input is one box of the array "Donnee", in this order (the order of the files).
enum Input {
    Energy,
    Power,
    Head,
    WinterShare,
    Studies,
    Civil,
    MachineCost,
    Generator,
    Grid,
    Various,
    Subsidies,
    SpecificCost,
    FixedPrice,
    SelfShare,
    SavedPrice,
    SurplusPrice,
    Ceiling,
    LowHead,
    LowTariff,
    HighHead,
    HighTariff,
    WinterFactor,
    SummerFactor,
    Maintenance,
    Insurance,
    Taxes,
    GridAccess,
    TariffIndexation,
    CostIndexation,
    Rate,
    Years,
    Exponent,
    InputCount
};

struct InputRow {
    const char* frame;
    const char* caption;
    const char* initial;
};

const InputRow Inputs[InputCount] = {
    {"FrameProductible", "Productible annuel (kWh/an)", ""},
    {"FrameProductible", "Puissance électrique maximale (kW)", ""},
    {"FrameProductible", "Hauteur de chute brute (m)", ""},
    {"FrameProductible", "Part de l'hiver (%)", "50"},
    {"FrameInvest", "Etudes et autorisations (€)", ""},
    {"FrameInvest", "Génie civil (€)", ""},
    {"FrameInvest", "Machine (€)", ""},
    {"FrameInvest", "Génératrice et armoire électrique (€)", ""},
    {"FrameInvest", "Raccordement au réseau (€)", ""},
    {"FrameInvest", "Divers (€)", ""},
    {"FrameInvest", "Aides et subventions (€)", "0"},
    {"FrameInvest", "Coût spécifique (€/kW)", "3850"},
    {"FrameVente", "Prix de vente (c€/kWh)", "6"},
    {"FrameVente", "Part autoconsommée (%)", "50"},
    {"FrameVente", "Prix du kWh économisé (c€/kWh)", "20"},
    {"FrameVente", "Prix du surplus vendu (c€/kWh)", "6"},
    {"FrameVente", "Plafond de l'obligation d'achat (kW)", "200"},
    {"FrameVente", "Basse chute jusqu'à (m)", "30"},
    {"FrameVente", "Tarif basse chute (c€/kWh)", "13.2"},
    {"FrameVente", "Haute chute à partir de (m)", "100"},
    {"FrameVente", "Tarif haute chute (c€/kWh)", "12"},
    {"FrameVente", "Coefficient d'hiver", "1"},
    {"FrameVente", "Coefficient d'été", "1"},
    {"FrameCharges", "Entretien (€/an)", ""},
    {"FrameCharges", "Assurance (€/an)", "0"},
    {"FrameCharges", "Impôts, taxes et redevances (€/an)", "0"},
    {"FrameCharges", "Accès au réseau (€/an)", "0"},
    {"FrameCharges", "Indexation du tarif (%/an)", "0"},
    {"FrameCharges", "Indexation des charges (%/an)", "2"},
    {"FrameCharges", "Taux d'actualisation (%)", "5"},
    {"FrameCharges", "Durée du contrat (ans)", "20"},
    {"FrameInvest", "Exposant coût-puissance", "0.977"},
};

// Where each figure of the sale and the costs comes from, shown under its frame.
constexpr const char* InvestSource =
    "valeurs indicatives, modifiables : milieu de la fourchette 2 100 à 5 600 €/kW (CRE, janvier 2020) ; "
    "postes répartis par le programme ; exposant 0,977 (ORNL, 2015).";
// The machine item's own source, for the turbines a published cost law covers.
std::string machineSource(const TurbineCostEstimate& c) {
    std::string s = "Coût de la machine (valeur indicative, modifiable) : loi de coût de turbine " + c.law +
                    " (Lancaster University, 2008), en £ de 2008 à 1 € = 0,79628 £ (taux à vérifier)";
    if (c.belowRange) s += " ; débit sous 0,5 m3/s : hors du domaine de la loi";
    return s + ".";
}
constexpr const char* SaleSource =
    "Plafond : arrêté du 22 mai 2024 (art. 12), 400 kW puis 200 kW dès le 1er janvier 2026 (version suivie). "
    "Chutes, tarifs et coefficients : valeurs à vérifier dans l'annexe de l'arrêté du 13 décembre 2016 ; "
    "prix moyen payé aux contrats de cet arrêté en 2024 : 15,4 c€/kWh (EDF OA).";
constexpr const char* CostSource =
    "Entretien : 2,5 % de l'investissement par an (ORNL, 2015). Contrat : 20 ans (arrêté de 2016, selon "
    "arraa.org, janvier 2017).";

constexpr int SaleCount = 3;
const char* const SaleCaptions[SaleCount] = {"Obligation d'achat (arrêté tarifaire)", "Prix de vente fixé",
                                             "Autoconsommation"};

constexpr int ResultCount = 8;
const char* const ResultCaptions[ResultCount] = {
    "Investissement net (€)",           "Prix moyen de vente (c€/kWh)",        "Recette de la première année (€)",
    "Charges de la première année (€)", "Valeur actuelle nette (€)",           "Taux de rentabilité interne (%)",
    "Temps de retour simple (ans)",     "Coût actualisé de l'énergie (c€/kWh)"};
enum Result { NetInvestment, MeanPrice, FirstRevenue, FirstCosts, Npv, Irr, Payback, Lcoe };

constexpr int ChartCount = 2;
const char* const ChartCaptions[ChartCount] = {"Flux de trésorerie cumulés",
                                               "Valeur actuelle nette selon le débit d'équipement"};

constexpr const char* NoEnergy = "Calculez d'abord le productible";
constexpr const char* FilePrefix = "Bilan ";
constexpr const char* FilePattern = "Bilan *.txt";

constexpr int CumulativeColor = 0x1F4E9A;
constexpr int DiscountedColor = 0x2E8B57;
constexpr int BestColor = 0xD35400;
constexpr int EnergyColor = 0x9CC8EE;

bool blank(const std::string& s) { return trim(s).empty(); }

// The smallest of 1, 2, 4, 5, 8 or 10 times a power of ten that reaches v: an axis top
// on a round value.
double roundTop(double v) {
    if (!std::isfinite(v) || v <= 0) return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    for (double step : {1.0, 2.0, 4.0, 5.0, 8.0, 10.0})
        if (step * decade >= v * (1 - 1e-12)) return step * decade;
    return 10 * decade;
}
std::string fixed(double v, const char* mask) { return formatMask(v, mask); }

SaleMode saleAt(int i) {
    if (i == 1) return SaleMode::FixedPrice;
    if (i == 2) return SaleMode::SelfConsumption;
    return SaleMode::PurchaseObligation;
}

// The annual-energy window when it holds a calculation.
Productible* calculatedEnergy(Session& s) {
    auto* p = dynamic_cast<Productible*>(s.loaded("Productible"));
    if (!p || !p->result() || !p->charts()) return nullptr;
    return p;
}

}  // namespace

std::vector<StudyBox> BilanEconomique::studyInputs() {
    std::vector<StudyBox> out;
    out.reserve(InputCount + 1);
    for (int i = 0; i < InputCount; ++i) out.push_back(studyBox("Donnee", i, Inputs[i].caption));
    out.push_back(studyBox("Vente", -1, "Vente"));
    return out;
}

std::vector<StudyBox> BilanEconomique::studyResults() { return studyBoxes("Resultat", ResultCaptions); }

BilanEconomique::BilanEconomique(Session& s) : Form(s, "BilanEconomique", "BILAN ECONOMIQUE") {
    columns = 3;
    frame("FrameProductible", -1, "Productible").at(0, 0);
    frame("FrameInvest", -1, "Investissement").at(1, 0);
    frame("FrameCharges", -1, "Charges annuelles et taux").at(0, 1);
    frame("FrameVente", -1, "Vente").at(1, 1);
    label("LabVente", -1, "Vente").in("FrameVente").at(0, 0);
    Control& sale = comboBox("Vente").in("FrameVente").at(0, 1);
    for (const char* c : SaleCaptions) sale.addItem(c);
    int row[4] = {0, 0, 1, 0};
    auto frameIndex = [](const char* f) {
        const std::string name = f;
        return name == "FrameProductible" ? 0 : name == "FrameInvest" ? 1 : name == "FrameVente" ? 2 : 3;
    };
    for (int i = 0; i < InputCount; ++i) {
        const int f = frameIndex(Inputs[i].frame);
        label("LabDonnee", i, Inputs[i].caption).in(Inputs[i].frame).at(row[f], 0);
        textBox("Donnee", i, Inputs[i].initial).in(Inputs[i].frame).at(row[f], 1);
        ++row[f];
    }
    label("Machinelue", -1, "").in("FrameProductible").at(row[0], 0, 1, 2);
    button("Reprendre", -1, "Reprendre le productible").in("FrameProductible").at(row[0] + 1, 0, 1, 2);
    // Where the machine item comes from when a published turbine cost law gives it.
    label("SourceMachine", -1, "").in("FrameProductible").at(row[0] + 2, 0, 1, 2).size(5200, 700);
    button("Preremplir", -1, "Préremplir l'investissement").in("FrameInvest").at(row[1], 0, 1, 2);
    label("SourceInvest", -1, InvestSource).in("FrameInvest").at(row[1] + 1, 0, 1, 2).size(5200, 700);
    label("SourceVente", -1, SaleSource).in("FrameVente").at(row[2], 0, 1, 2).size(5200, 700);
    label("SourceCharges", -1, CostSource).in("FrameCharges").at(row[3], 0, 1, 2).size(5200, 450);

    frame("FrameResultats", -1, "Résultats").at(0, 2, 2, 1);
    for (int i = 0; i < ResultCount; ++i) {
        label("LabResultat", i, ResultCaptions[i]).in("FrameResultats").at(i, 0);
        textBox("Resultat", i).in("FrameResultats").at(i, 1).locked = true;
        resultBoxes.push_back("Resultat(" + std::to_string(i) + ")");
    }
    label("Note", -1, "").in("FrameResultats").at(ResultCount, 0, 1, 2).size(6000, 400);
    label("Meilleurqd", -1, "").in("FrameResultats").at(ResultCount + 1, 0, 1, 2).size(6000, 400);
    Control& choice = listBox("Graphique").in("FrameResultats").at(ResultCount + 2, 0, 1, 2).size(6000, 500);
    for (const char* c : ChartCaptions) choice.addItem(c);
    add(ControlKind::Chart, "Graphe").in("FrameResultats").at(ResultCount + 3, 0, 1, 2).size(6000, 2600);
    add(ControlKind::Table, "Tableau").in("FrameResultats").at(ResultCount + 4, 0, 1, 2).size(6000, 1400);

    menu("Fichier", "Fichier");
    menu("Ouvrir", "Ouvrir", "Fichier");
    menu("Enregistrersous", "Enregistrer sous", "Fichier");
    menu("Fermer", "Fermer", "Fichier");
    menu("Calcul", "Calcul");
    menu("Imprimer", "Imprimer");
    menu("Aide", "Aide locale");

    on("Ouvrir", EventKind::Click, [this](int) { askOpen(); });
    on("Enregistrersous", EventKind::Click, [this](int) { askSaveAs(); });
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    on("Calcul", EventKind::Click, [this](int) { calculate(); });
    on("Imprimer", EventKind::Click, [this](int) { printAfterQuestion(*this); });
    on("Aide", EventKind::Click, [this](int) { session().showHelpRecord(BilanEconomiqueHelpRecord); });
    on("Reprendre", EventKind::Click, [this](int) { readEnergy(); });
    on("Preremplir", EventKind::Click, [this](int) { prefill(); });
    on("Vente", EventKind::Click, [this](int) { saleChosen(); });
    on("Graphique", EventKind::Click, [this](int) {
        drawChart();
        fillTable();
    });

    sale.setListIndex(0);
    choice.setListIndex(0);
    saleChosen();
    drawChart();
    fillTable();
    helpRecord = BilanEconomiqueHelpRecord;
    defaultAction = "Calcul";
    tracksEdits = true;
    discardsEdits("Ouvrir");
}

void BilanEconomique::load() {
    if (calculatedEnergy(session())) readEnergy();
}

void BilanEconomique::saleChosen() {
    const SaleMode mode = saleAt(ctl("Vente").listIndex());
    auto show = [this](int first, int last, bool on) {
        for (int i = first; i <= last; ++i) {
            ctl("Donnee", i).visible = on;
            ctl("LabDonnee", i).visible = on;
        }
    };
    show(FixedPrice, FixedPrice, mode == SaleMode::FixedPrice);
    show(SelfShare, SurplusPrice, mode == SaleMode::SelfConsumption);
    show(Ceiling, SummerFactor, mode == SaleMode::PurchaseObligation);
    if (!filling_) clearResults();
}

bool BilanEconomique::readEnergy() {
    Productible* p = calculatedEnergy(session());
    if (!p) {
        dialogs().message(NoEnergy);
        return false;
    }
    const EnergyResult& r = *p->result();
    const SiteStudy site = p->study();
    for (int i = 0; i < MachineTypeCount; ++i)
        if (site.machine == machineCaption(machineAt(i))) machine_ = machineAt(i);
    filling_ = true;
    set("Donnee", Energy, fixed(r.annualEnergy, "0"));
    set("Donnee", Power, fixed(r.electricPowerMax, "0.0"));
    set("Donnee", Head, site.grossHead);
    if (p->statistics()) set("Donnee", WinterShare, fixed(p->statistics()->winterShare, "0.0"));
    filling_ = false;
    designFlow_ = p->charts()->designFlow;
    ctl("Machinelue").caption =
        std::string("Machine : ") + machineCaption(machine_) + " ; Qd = " + fixed(designFlow_, "0.000") + " m3/s";
    prefill();
    clearResults();
    return true;
}

void BilanEconomique::prefill() {
    CountingMessenger said(dialogs());
    const bool comma = shared().DecimalComma;
    std::string power = txt("Donnee", Power), cost = txt("Donnee", SpecificCost), head = txt("Donnee", Head);
    const double p = parseNumberDouble(power, comma, said), c = parseNumberDouble(cost, comma, said);
    // A blank head leaves the machine at its share of the specific cost.
    const double h = blank(head) ? 0 : parseNumberDouble(head, comma, said);
    if (said.count > 0) return;
    if (!(p > 0)) {
        dialogs().message(NoEnergy);
        return;
    }
    if (c < 0) {
        dialogs().message("Le coût spécifique doit être positif ou nul.");
        return;
    }
    const std::optional<TurbineCostEstimate> machine = publishedMachineCost(machine_, p, h, designFlow_);
    const InvestmentItems items = investmentEstimate(machine_, p, c, machine);
    ctl("SourceMachine").caption = machine ? machineSource(*machine) : "";
    double total = 0;
    filling_ = true;
    for (int i = 0; i < InvestmentItemCount; ++i) {
        set("Donnee", Studies + i, fixed(items[static_cast<std::size_t>(i)], "0"));
        total += items[static_cast<std::size_t>(i)];
    }
    set("Donnee", Maintenance, fixed(total * DefaultMaintenanceShare, "0"));
    filling_ = false;
}

void BilanEconomique::clearResults() {
    for (int i = 0; i < ResultCount; ++i) set("Resultat", i, "");
    ctl("Note").caption = "";
    ctl("Meilleurqd").caption = "";
    result_.reset();
    sweep_.reset();
    drawChart();
    fillTable();
}

bool BilanEconomique::calculate() {
    clearResults();
    CountingMessenger said(dialogs());
    const bool comma = shared().DecimalComma;
    double v[InputCount];
    for (int i = 0; i < InputCount; ++i) {
        std::string t = txt("Donnee", i);
        v[i] = parseNumberDouble(t, comma, said);
    }
    if (said.count > 0) return false;
    auto stop = [this](const std::string& text) {
        stopCalculation(text);
        return false;
    };
    if (blank(txt("Donnee", Energy)) || !(v[Energy] > 0) || !(v[Power] > 0)) return stop(NoEnergy);
    const SaleMode mode = saleAt(ctl("Vente").listIndex());
    if (blank(txt("Donnee", Years)) || v[Years] != std::floor(v[Years]))
        return stop("La durée du contrat doit être un nombre entier d'années, de 1 à 100.");
    for (int i = Studies; i <= Subsidies; ++i)
        if (v[i] < 0) return stop("Les montants de l'investissement ne peuvent pas être négatifs.");
    for (int i = Maintenance; i <= GridAccess; ++i)
        if (v[i] < 0) return stop("Les charges annuelles ne peuvent pas être négatives.");
    if (v[Exponent] < 0) return stop("L'exposant coût-puissance doit être positif ou nul.");
    if (v[WinterShare] < 0 || v[WinterShare] > 100)
        return stop("La part de l'hiver doit être comprise entre 0 et 100 %.");

    TariffRule rule;
    rule.ceilingKw = v[Ceiling];
    rule.lowHead = v[LowHead];
    rule.highHead = v[HighHead];
    rule.lowHeadTariff = v[LowTariff];
    rule.highHeadTariff = v[HighTariff];
    rule.winterFactor = v[WinterFactor];
    rule.summerFactor = v[SummerFactor];
    SaleInputs sale;
    sale.mode = mode;
    sale.installedPowerKw = v[Power];
    sale.headM = v[Head];
    sale.winterShare = v[WinterShare] / 100;
    sale.fixedPrice = v[FixedPrice];
    sale.selfShare = v[SelfShare] / 100;
    sale.savedPrice = v[SavedPrice];
    sale.surplusPrice = v[SurplusPrice];
    if (auto refused = saleRefusal(rule, sale)) return stop(*refused);
    const SalePrice price = salePrice(rule, sale);

    CashFlowInputs in;
    for (int i = Studies; i <= Various; ++i) in.investment += v[i];
    in.subsidies = v[Subsidies];
    in.energy = v[Energy];
    in.revenue = v[Energy] * price.mean / 100;
    in.yearlyCosts = v[Maintenance] + v[Insurance] + v[Taxes] + v[GridAccess];
    in.tariffIndexation = v[TariffIndexation] / 100;
    in.costIndexation = v[CostIndexation] / 100;
    in.discountRate = v[Rate] / 100;
    in.years = static_cast<int>(std::clamp(v[Years], -1.0, 1000.0));
    if (auto refused = cashFlowInputError(in)) return stop(*refused);
    if (in.subsidies > in.investment) return stop("Les aides et subventions dépassent l'investissement.");
    const CashFlowResult r = cashFlow(in);

    set("Resultat", NetInvestment, fixed(in.investment - in.subsidies, "0"));
    set("Resultat", MeanPrice, fixed(price.mean, "0.00"));
    set("Resultat", FirstRevenue, fixed(in.revenue, "0"));
    set("Resultat", FirstCosts, fixed(in.yearlyCosts, "0"));
    set("Resultat", Npv, fixed(r.npv, "0"));
    if (r.irr) set("Resultat", Irr, fixed(*r.irr * 100, "0.00"));
    if (r.payback) set("Resultat", Payback, fixed(*r.payback, "0.0"));
    if (r.levelisedCost) set("Resultat", Lcoe, fixed(*r.levelisedCost * 100, "0.00"));
    std::string note;
    if (!r.payback) note = "Investissement non remboursé dans la durée du contrat. ";
    if (mode == SaleMode::PurchaseObligation && in.subsidies > 0)
        note += "Une aide publique à l'investissement peut exclure l'obligation d'achat : vérifiez. ";
    ctl("Note").caption = trim(note);
    result_ = r;

    // The value of each design flow of the annual energy's sweep.
    if (Productible* p = calculatedEnergy(session()); p && !p->charts()->sweep.points.empty()) {
        const double qd = p->charts()->designFlow;
        auto priceAt = [&](double powerKw) -> std::optional<double> {
            SaleInputs at = sale;
            at.installedPowerKw = powerKw;
            if (saleRefusal(rule, at)) return std::nullopt;
            return salePrice(rule, at).mean / 100;
        };
        if (qd > 0) {
            sweep_ = economicSweep(p->charts()->sweep.points, qd, v[Power], in, v[Exponent], priceAt);
            sweepDesignFlow_ = qd;
            if (sweep_->best >= 0 && sweep_->mostEnergy >= 0) {
                const EconomicPoint& b = sweep_->points[static_cast<std::size_t>(sweep_->best)];
                const EconomicPoint& e = sweep_->points[static_cast<std::size_t>(sweep_->mostEnergy)];
                ctl("Meilleurqd").caption = "Meilleur débit d'équipement économique : " + fixed(b.designFlow, "0.000") +
                                            " m3/s (VAN " + fixed(*b.npv, "0") +
                                            " €) ; le plus productif : " + fixed(e.designFlow, "0.000") + " m3/s.";
            } else {
                ctl("Meilleurqd").caption =
                    "Pas de débit d'équipement économique : la vente choisie ne prend aucune des puissances du "
                    "balayage.";
            }
        }
    }
    drawChart();
    fillTable();
    if (!r.irr) dialogs().message(r.irrNote);
    return true;
}

void BilanEconomique::drawChart() {
    const int chosen = ctl("Graphique").listIndex();
    const int which = chosen < 0 ? 0 : chosen;
    Chart& chart = ctl("Graphe").chart;
    chart.clear();
    chart.title = ChartCaptions[which];
    if (which == 0) {
        chart.x = {"Année", "", false, true, 0, 1};
        chart.y = {"Flux cumulé", "€", false, true, 0, 1};
        if (!result_) return;
        chart.x.autoRange = false;
        chart.x.min = 0;
        chart.x.max = static_cast<double>(result_->years.back().year);
        const int cum = chart.addSeries("Flux cumulé", SeriesKind::Line, CumulativeColor);
        const int disc = chart.addSeries("Flux cumulé actualisé", SeriesKind::Line, DiscountedColor);
        for (const CashFlowYear& y : result_->years) {
            chart.addPoint(cum, y.year, y.cumulative);
            chart.addPoint(disc, y.year, y.cumulativeDiscounted);
        }
        const int zero = chart.addSeries("Zéro", SeriesKind::HLine, 0x808080);
        chart.at(zero).width = 1;
        chart.addPoint(zero, 0, 0);
        return;
    }
    chart.x = {"Débit d'équipement Qd", "m3/s", false, true, 0, 1};
    chart.y = {"Valeur actuelle nette", "€", false, true, 0, 1};
    if (!sweep_ || sweep_->points.empty()) return;
    chart.x.autoRange = false;
    chart.x.min = 0;
    chart.x.max = roundTop(sweep_->points.back().designFlow);
    const int npv = chart.addSeries("Valeur actuelle nette", SeriesKind::Line, CumulativeColor);
    double low = 0, high = 0;
    for (const EconomicPoint& p : sweep_->points)
        if (p.npv) {
            chart.addPoint(npv, p.designFlow, *p.npv);
            low = std::min(low, *p.npv);
            high = std::max(high, *p.npv);
        }
    // From a round value under the lowest to one above the best, room left for its label.
    chart.y.autoRange = false;
    chart.y.min = low < 0 ? -roundTop(-low) : 0;
    chart.y.max = high > 0 ? roundTop(high * 1.25) : 0;
    if (!(chart.y.max > chart.y.min)) chart.y.max = chart.y.min + 1;
    if (sweep_->best >= 0) {
        const EconomicPoint& b = sweep_->points[static_cast<std::size_t>(sweep_->best)];
        const int best = chart.addSeries("Meilleur débit économique", SeriesKind::Marker, BestColor);
        chart.at(best).label = "Meilleur : Qd = " + fixed(b.designFlow, "0.000") + " m3/s";
        chart.addPoint(best, b.designFlow, *b.npv);
    }
    if (sweep_->mostEnergy >= 0) {
        const EconomicPoint& e = sweep_->points[static_cast<std::size_t>(sweep_->mostEnergy)];
        const int most = chart.addSeries("Débit le plus productif", SeriesKind::VLine, EnergyColor);
        chart.at(most).width = 1;
        chart.addPoint(most, e.designFlow, 0);
    }
}

void BilanEconomique::fillTable() {
    Control& table = ctl("Tableau");
    table.rows.clear();
    // With the sweep's chart, the value of each design flow, the best ones named.
    if (ctl("Graphique").listIndex() == 1) {
        table.columns = {"Qd (m3/s)", "Puissance (kW)", "Productible (kWh/an)", "VAN (€)", "Repère"};
        if (sweep_)
            for (std::size_t i = 0; i < sweep_->points.size(); ++i) {
                const EconomicPoint& p = sweep_->points[i];
                std::string mark;
                if (static_cast<int>(i) == sweep_->best) mark = "meilleur économique";
                if (static_cast<int>(i) == sweep_->mostEnergy)
                    mark += std::string(mark.empty() ? "" : ", ") + "plus productif";
                table.rows.push_back({fixed(p.designFlow, "0.000"), fixed(p.powerKw, "0.0"), fixed(p.annualEnergy, "0"),
                                      p.npv ? fixed(*p.npv, "0") : "hors vente", mark});
            }
        table.touch();
        return;
    }
    table.columns = {"Année", "Recette (€)", "Charges (€)", "Flux (€)", "Cumul (€)", "Cumul actualisé (€)"};
    if (result_)
        for (const CashFlowYear& y : result_->years)
            table.rows.push_back({std::to_string(y.year), fixed(y.revenue, "0"), fixed(y.costs, "0"),
                                  fixed(y.flow, "0"), fixed(y.cumulative, "0"), fixed(y.cumulativeDiscounted, "0")});
    table.touch();
}

void BilanEconomique::openBalance(const std::string& name) {
    const std::string fileName = FilePrefix + name + ".txt";
    if (auto refused = checkTypedName(fileName)) {
        dialogs().message(*refused);
        return;
    }
    const auto path = findFile(session().appFolder(), fileName);
    if (!path) {
        dialogs().message("Aucun bilan de ce nom : " + name);
        return;
    }
    const std::vector<std::string> values = readDesignValues(*path);
    filling_ = true;
    for (int i = 0; i < InputCount && i < static_cast<int>(values.size()); ++i) set("Donnee", i, values[i]);
    if (values.size() > static_cast<std::size_t>(InputCount))
        for (int i = 0; i < SaleCount; ++i)
            if (trim(values[InputCount]) == SaleCaptions[i]) ctl("Vente").setListIndex(i);
    saleChosen();
    filling_ = false;
    clearResults();
    balanceName_ = name;
    clearUnsavedEdits();
    if (values.size() <= static_cast<std::size_t>(InputCount)) throw CalcError(ErrPastEnd);
}

void BilanEconomique::saveBalanceAs(const std::string& name) {
    const std::string fileName = FilePrefix + name + ".txt";
    if (auto refused = checkTypedName(fileName)) {
        dialogs().message(*refused);
        return;
    }
    std::filesystem::path target = session().file(fileName);
    if (name != balanceName_)
        if (auto existing = findFile(session().appFolder(), fileName)) {
            if (!dialogs().question(overwriteQuestion())) return;
            target = *existing;
        }
    std::vector<std::string> lines = boxTexts(*this, "Donnee", InputCount);
    const int sale = ctl("Vente").listIndex();
    lines.push_back(SaleCaptions[sale < 0 ? 0 : sale]);
    for (std::string& line : lines) line = protectedLine(line);
    saveLines(target, lines);
    balanceName_ = name;
    clearUnsavedEdits();
}

void BilanEconomique::askOpen() {
    std::vector<std::string> names;
    for (const auto& f : listFiles(session().appFolder(), FilePattern))
        names.push_back(f.substr(std::string(FilePrefix).size(), f.size() - std::string(FilePrefix).size() - 4));
    std::string prompt = "Nom du bilan à ouvrir";
    if (!names.empty()) {
        prompt += " (";
        for (std::size_t i = 0; i < names.size(); ++i) prompt += (i ? ", " : "") + names[i];
        prompt += ")";
    }
    const std::string proposed = !balanceName_.empty() ? balanceName_ : names.empty() ? "" : names.front();
    const auto answer = dialogs().input(prompt, "Ouvrir un bilan économique", proposed);
    if (!answer || trim(*answer).empty()) return;
    openBalance(trim(*answer));
}

void BilanEconomique::askSaveAs() {
    const auto answer = dialogs().input("Nom du bilan", "Enregistrer le bilan économique",
                                        balanceName_.empty() ? "Mon site" : balanceName_);
    if (!answer || trim(*answer).empty()) return;
    saveBalanceAs(trim(*answer));
}

}  // namespace aub

#include "ui/UiHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <exception>
#include <iostream>

#include "forms/Form.h"
#include "ui/FormView.h"
#include "ui/UiConvert.h"

namespace aub {

UiHost::UiHost(Session& session) : session_(session) {}

UiHost::~UiHost() {
    for (auto& [form, view] : views_) {
        view->markDead();
        delete view;
    }
    views_.clear();
}

FormView* UiHost::view(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second;
}

FormView* UiHost::ensureView(Form& form) {
    if (FormView* v = view(form)) return v;
    auto* v = new FormView(*this, form);
    views_[&form] = v;
    return v;
}

void UiHost::formShown(Form& form) {
    const bool isNew = view(form) == nullptr;
    FormView* v = ensureView(form);
    if (isNew || !v->isVisible()) {
        // The window that opened this one owns it: it stays above its owner, and a modal
        // one opens centred on it.
        QWidget* owner = form.staysAboveOpener ? dialogParent() : nullptr;
        if (owner == v) owner = nullptr;
        v->setOwner(owner);
        // An owned window is a dialog-type window: window managers keep it above its owner.
        if (owner && isNew)
            v->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        if (owner) {
            owner->winId();
            v->winId();
            if (v->windowHandle() && owner->windowHandle() && !v->isVisible())
                v->windowHandle()->setTransientParent(owner->windowHandle());
        }
        if (isNew && remembersPlaces_) v->setRememberedGeometry(rememberedGeometry(form.name()));
    }
    const Qt::WindowModality modality = form.modal() ? Qt::ApplicationModal : Qt::NonModal;
    if (v->windowModality() != modality) {
        // Qt takes a new modality only on a hidden window.
        if (v->isVisible()) v->hide();
        v->setWindowModality(modality);
    }
    v->sync();
    v->placeOnScreen();
    v->show();
    v->raise();
    v->activateWindow();
    // The frame the window manager adds is known only once the window is mapped.
    QTimer::singleShot(150, v, [v] { v->keepOnScreen(); });
}

void UiHost::formHidden(Form& form) {
    if (FormView* v = view(form)) {
        rememberGeometry(*v);
        v->hide();
    }
}

namespace {
QString placeKey(const std::string& window) { return QStringLiteral("fenetres/") + toQ(window); }
}  // namespace

void UiHost::rememberGeometry(FormView& v) {
    if (!remembersPlaces_ || !v.isVisible()) return;
    QSettings settings;
    settings.setValue(placeKey(v.form().name()), v.geometry());
}

std::optional<QRect> UiHost::rememberedGeometry(const std::string& window) const {
    QSettings settings;
    const QVariant value = settings.value(placeKey(window));
    if (!value.canConvert<QRect>()) return std::nullopt;
    const QRect r = value.toRect();
    if (!r.isValid()) return std::nullopt;
    return r;
}

void UiHost::formUnloaded(Form& form) {
    auto it = views_.find(&form);
    if (it == views_.end()) return;
    FormView* v = it->second;
    rememberGeometry(*v);
    views_.erase(it);
    // The view may be in the middle of its own event: it goes once that is over.
    v->markDead();
    v->hide();
    v->deleteLater();
}

void UiHost::programEnded() {
    for (auto& [form, view] : views_) rememberGeometry(*view);
    for (auto& [form, view] : views_) {
        view->markDead();
        view->hide();
        view->deleteLater();
    }
    views_.clear();
    if (endsApplication_) QCoreApplication::exit(0);
}

void UiHost::dispatch(Form* form, const std::function<void()>& code) {
    dispatching_.push_back(form);
    try {
        code();
    } catch (const std::exception& e) {
        std::cerr << "aubelys : erreur non traitée : " << e.what() << "\n";
    } catch (...) {
        std::cerr << "aubelys : erreur non traitée\n";
    }
    dispatching_.pop_back();
    if (!dispatching_.empty()) {
        refreshAll();
        return;
    }
    // No handler runs any more: the windows unloaded meanwhile can go.
    session_.collect();
    refreshAll();
    if (endsApplication_ && !session_.ended() && !anyWindowOnScreen()) {
        // Nothing left that the person could use or close: the program ends.
        session_.endProgram(false);
        session_.collect();
    }
}

bool UiHost::anyWindowOnScreen() const {
    for (Form* f : session_.forms())
        if (f->visible()) return true;
    return false;
}

void UiHost::refreshAll() {
    // sync() never runs a model event, so the list of views cannot change meanwhile.
    for (auto& [form, view] : views_) view->sync();
}

QPixmap UiHost::grab(Form& form) {
    FormView* v = ensureView(form);
    v->sync();
    const bool wasVisible = v->isVisible();
    if (!wasVisible) {
        v->placeOnScreen();
        v->show();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Outside the event loop, items a view dropped (a chart's former axes) are deleted
    // only here; otherwise the picture would still show them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QPixmap picture = v->grab();
    if (!wasVisible) v->hide();
    return picture;
}

QWidget* UiHost::dialogParent() const {
    for (auto it = dispatching_.rbegin(); it != dispatching_.rend(); ++it)
        if (*it)
            if (FormView* v = view(**it); v && v->isVisible()) return v;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (const auto& [form, view] : views_)
        if (view->isVisible()) return view;
    return nullptr;
}

std::string UiHost::dialogTitle() const {
    for (auto it = dispatching_.rbegin(); it != dispatching_.rend(); ++it)
        if (*it && !(*it)->caption.empty()) return (*it)->caption;
    return "Aubelys";
}

}  // namespace aub

#include "web/BridgeApi.h"

#include <exception>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define AUB_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define AUB_EXPORT
#endif

#include "web/Bridge.h"

struct aub_bridge {
    aub::Bridge bridge;
    std::string reply;  // the last JSON text given out
};

// Nothing may cross into JavaScript as a C++ exception: a failure is an outcome.
namespace {

const char* give(aub_bridge* h, const aub::Json& value) {
    h->reply = aub::dumpJson(value);
    return h->reply.c_str();
}

template <class F>
const char* guarded(aub_bridge* h, F&& call) {
    if (!h) return "{\"status\":1,\"error\":\"pont absent\",\"pending\":null}";
    try {
        return give(h, call(h->bridge));
    } catch (const std::exception& e) {
        return give(h, {{"status", 1}, {"error", std::string("erreur : ") + e.what()}, {"pending", nullptr}});
    }
}

std::string text(const char* s) { return s ? std::string(s) : std::string(); }

}  // namespace

extern "C" {

AUB_EXPORT aub_bridge* aub_new(const char* programFolder, const char* programDir) {
    try {
        return new aub_bridge{aub::Bridge(text(programFolder), text(programDir)), {}};
    } catch (const std::exception&) {
        return nullptr;
    }
}

AUB_EXPORT void aub_delete(aub_bridge* bridge) { delete bridge; }

AUB_EXPORT const char* aub_open(aub_bridge* bridge, const char* window) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.open(text(window)); });
}

AUB_EXPORT const char* aub_play(aub_bridge* bridge, const char* step) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.play(text(step)); });
}

AUB_EXPORT const char* aub_answer(aub_bridge* bridge, const char* answer) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.answer(text(answer)); });
}

AUB_EXPORT void aub_queue_answer(aub_bridge* bridge, const char* answer) {
    if (bridge) bridge->bridge.queueAnswer(text(answer));
}

AUB_EXPORT void aub_reset(aub_bridge* bridge) {
    if (!bridge) return;
    try {
        bridge->bridge.reset();
    } catch (const std::exception&) {
        // The run stays as it was; the next call reports what fails.
    }
}

AUB_EXPORT const char* aub_state(aub_bridge* bridge) {
    return guarded(bridge, [](aub::Bridge& b) { return b.state(); });
}

AUB_EXPORT const char* aub_layout(aub_bridge* bridge, const char* window) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.layout(text(window)); });
}

AUB_EXPORT const char* aub_drawings(aub_bridge* bridge, const char* window) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.drawings(text(window)); });
}

AUB_EXPORT const char* aub_windows(aub_bridge* bridge) {
    return guarded(bridge, [](aub::Bridge& b) { return b.windows(); });
}

AUB_EXPORT const char* aub_platform(aub_bridge* bridge) {
    return guarded(bridge, [](aub::Bridge& b) { return b.platform(); });
}

AUB_EXPORT const char* aub_imported(aub_bridge* bridge, const char* name) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.imported(text(name)); });
}

AUB_EXPORT const char* aub_chart(aub_bridge* bridge, const char* window, const char* chart) {
    return guarded(bridge, [&](aub::Bridge& b) { return b.chart(text(window), text(chart)); });
}

AUB_EXPORT const char* aub_chart_csv(aub_bridge* bridge, const char* window, const char* chart, const char* separator) {
    const char sep = separator && separator[0] == ',' ? ',' : '.';
    return guarded(bridge, [&](aub::Bridge& b) { return b.chartCsv(text(window), text(chart), sep); });
}

AUB_EXPORT const char* aub_dossier(aub_bridge* bridge) {
    return guarded(bridge, [](aub::Bridge& b) { return b.dossier(); });
}
}

#pragma once
// The bridge as plain C functions for JavaScript (cwrap): texts in and out are UTF-8,
// every result is a JSON text owned by the handle, valid until the handle's next call.
// Plain C rather than bound classes: every argument and result is a text, so binding
// classes would add a runtime to the module for nothing.

// One bridge and the last text it gave out.
struct aub_bridge;

extern "C" {
// programFolder: where designs live (created and seeded as --dossier does); programDir:
// the folder holding the delivered data ("data"). Null when the folder cannot be made.
aub_bridge* aub_new(const char* programFolder, const char* programDir);
void aub_delete(aub_bridge* bridge);
const char* aub_open(aub_bridge* bridge, const char* window);
const char* aub_play(aub_bridge* bridge, const char* step);
const char* aub_answer(aub_bridge* bridge, const char* text);
void aub_queue_answer(aub_bridge* bridge, const char* text);
void aub_reset(aub_bridge* bridge);
const char* aub_state(aub_bridge* bridge);
const char* aub_layout(aub_bridge* bridge, const char* window);
const char* aub_drawings(aub_bridge* bridge, const char* window);
const char* aub_windows(aub_bridge* bridge);
const char* aub_platform(aub_bridge* bridge);
const char* aub_imported(aub_bridge* bridge, const char* name);
const char* aub_dossier(aub_bridge* bridge);
const char* aub_chart(aub_bridge* bridge, const char* window, const char* chart);
// separator: "," or "." (the decimal separator of the numbers written).
const char* aub_chart_csv(aub_bridge* bridge, const char* window, const char* chart, const char* separator);
}

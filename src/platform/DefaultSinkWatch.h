#pragma once

#include <QByteArray>

#include <mutex>

struct pa_context;
struct pa_threaded_mainloop;
struct pa_server_info;

namespace kestrane {

// The name of the sound server's default output, kept up to date from the
// server's own events on a thread of its own: Qt 6.4 learns of a new default
// only when the outputs themselves change, so a projector's HDMI audio made
// the default later would go unused. Empty while no PulseAudio server (or
// PipeWire's) has answered; the caller then takes Qt's default.
class DefaultSinkWatch {
public:
    DefaultSinkWatch();
    ~DefaultSinkWatch();
    DefaultSinkWatch(const DefaultSinkWatch&) = delete;
    DefaultSinkWatch& operator=(const DefaultSinkWatch&) = delete;

    QByteArray name() const;

private:
    static void stateChanged(pa_context* context, void* self);
    static void serverChanged(pa_context* context, int event, unsigned index, void* self);
    static void serverInfo(pa_context* context, const pa_server_info* info, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    mutable std::mutex m_mutex;
    QByteArray m_name;
};

} // namespace kestrane

#include "platform/DefaultSinkWatch.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>

namespace kestrane {

DefaultSinkWatch::DefaultSinkWatch()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Kestrane");
    // Never starts a sound server of its own: without one, Qt's default stands.
    if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        if (m_context)
            pa_context_unref(m_context);
        m_context = nullptr;
        return;
    }
    pa_context_set_state_callback(m_context, &stateChanged, this);
    pa_threaded_mainloop_start(m_loop);
}

DefaultSinkWatch::~DefaultSinkWatch()
{
    if (m_context) {
        pa_threaded_mainloop_lock(m_loop);
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_stop(m_loop);
    }
    if (m_loop)
        pa_threaded_mainloop_free(m_loop);
}

QByteArray DefaultSinkWatch::name() const
{
    const std::lock_guard lock(m_mutex);
    return m_name;
}

void DefaultSinkWatch::stateChanged(pa_context* context, void* self)
{
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        return;
    pa_context_set_subscribe_callback(
        context,
        [](pa_context* c, pa_subscription_event_type_t event, uint32_t index, void* s) {
            serverChanged(c, int(event), index, s);
        },
        self);
    if (pa_operation* op =
            pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr))
        pa_operation_unref(op);
    if (pa_operation* op = pa_context_get_server_info(context, &serverInfo, self))
        pa_operation_unref(op);
}

void DefaultSinkWatch::serverChanged(pa_context* context, int event, unsigned, void* self)
{
    if ((event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) != PA_SUBSCRIPTION_EVENT_SERVER)
        return;
    if (pa_operation* op = pa_context_get_server_info(context, &serverInfo, self))
        pa_operation_unref(op);
}

void DefaultSinkWatch::serverInfo(pa_context*, const pa_server_info* info, void* self)
{
    auto* watch = static_cast<DefaultSinkWatch*>(self);
    const std::lock_guard lock(watch->m_mutex);
    watch->m_name =
        info && info->default_sink_name ? QByteArray(info->default_sink_name) : QByteArray();
}

} // namespace kestrane

#include "ScriptObjects.h"

#include "CharacterWindow.h"
#include "QL.h"
#include "Synthesizer.h"
#include "TickTimer.h"

#include <QColor>
#include <QLabel>

using vbs::Value;
using Args = MemberObject::Args;

namespace {

// QL's members other than autolisten go on whatever fails inside them.
template <typename F>
Value resumeOnError(F &&f)
{
    try {
        f();
    } catch (const vbs::ScriptError &) {
    }
    return Value();
}

Value flag(bool on)
{
    return Value(on);
}
qint16 flagOf(const Value &value)
{
    return value.toBool() ? -1 : 0;
}

} // namespace

namespace ScriptObjects {

int toScriptColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor fromScriptColor(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

std::shared_ptr<MemberObject> ql(QL &ql)
{
    auto object = std::make_shared<MemberObject>("QL");
    QL *q = &ql;
    object->add("addflipp", [q](Args &) { return resumeOnError([&] { q->addflipp(); }); });
    object->add("cancelflipp", [q](Args &) { return resumeOnError([&] { q->cancelflipp(); }); });
    object->add("quit", [q](Args &) { return resumeOnError([&] { q->quit(); }); });
    object->add("showbrain", [q](Args &) { return resumeOnError([&] { q->showbrain(); }); });
    object->add("hidebrain", [q](Args &) { return resumeOnError([&] { q->hidebrain(); }); });
    object->add("autolisten", [q](Args &args) {
        q->autolisten(MemberObject::boolArg(args, 0));
        return Value();
    });
    // Text arguments are converted before the member runs, so a value that is no text
    // (Null, an object) fails in the script; what fails inside the member does not.
    object->add("sendkeys", [q](Args &args) {
        const QString thing = MemberObject::textArg(args, 0);
        return resumeOnError([&] { q->sendkeys(thing); });
    });
    object->add("run", [q](Args &args) {
        const QString path = MemberObject::textArg(args, 0);
        return resumeOnError([&] { q->run(path); });
    });
    object->add(
        "animation", [q](Args &) { return MemberObject::fromText(q->animation()); },
        [q](Args &, const Value &value) {
            const QString nr = MemberObject::text(value);
            resumeOnError([&] { q->setAnimation(nr); });
        });
    object->add("cmd", [q](Args &args) {
        const QString cmm = MemberObject::textArg(args, 0);
        return resumeOnError([&] { q->cmd(cmm); });
    });
    object->add("shellcommand", [q](Args &args) {
        const QString cccp = MemberObject::textArg(args, 0);
        return resumeOnError([&] { q->shellcommand(cccp); });
    });
    object->add("speak", [q](Args &args) {
        const QString sak = MemberObject::textArg(args, 0);
        return resumeOnError([&] { q->speak(sak); });
    });
    return object;
}

std::shared_ptr<MemberObject> mouth(Synthesizer &mun)
{
    auto object = std::make_shared<MemberObject>("Mouth");
    Synthesizer *m = &mun;
    auto speak = [m](Args &args) {
        m->speaktext(MemberObject::textArg(args, 0));
        return Value();
    };
    auto stop = [m](Args &) {
        m->stopspeech();
        return Value();
    };
    object->add("Speak", speak);
    object->add("speaktext", speak);
    object->add("Stop", stop);
    object->add("stopspeech", stop);
    object->add("Pause", [m](Args &) {
        m->pause();
        return Value();
    });
    object->add("Resume", [m](Args &) {
        m->resume();
        return Value();
    });
    object->add("Speaking", [m](Args &) { return flag(m->isSpeaking()); });
    object->add(
        "Rate", [m](Args &) { return Value(int32_t(m->rate())); },
        [m](Args &, const Value &v) { m->setRate(v.toInt32()); });
    object->add(
        "Pitch", [m](Args &) { return Value(int32_t(m->pitch())); },
        [m](Args &, const Value &v) { m->setPitch(v.toInt32()); });
    object->add(
        "Volume", [m](Args &) { return Value(int32_t(m->volume())); },
        [m](Args &, const Value &v) { m->setVolume(v.toInt32()); });
    object->add(
        "Voice", [m](Args &) { return MemberObject::fromText(m->voice()); },
        [m](Args &, const Value &v) {
            if (!m->setVoice(MemberObject::text(v)))
                throw vbs::ScriptError{5, "Invalid procedure call or argument"};
        });
    object->add("Voices",
                [m](Args &) { return MemberObject::fromText(m->voices().join(QLatin1Char(','))); });
    return object;
}

std::shared_ptr<MemberObject> bubble(QLabel &speech)
{
    auto object = std::make_shared<MemberObject>("Label");
    QLabel *label = &speech;
    auto caption = [label](Args &) { return MemberObject::fromText(label->text()); };
    auto setCaption = [label](Args &, const Value &v) { label->setText(MemberObject::text(v)); };
    object->add("Caption", caption, setCaption);
    object->add("", caption, setCaption);
    object->add(
        "Visible", [label](Args &) { return flag(!label->isHidden()); },
        [label](Args &, const Value &v) { label->setVisible(v.toBool()); });
    object->add(
        "ForeColor",
        [label](Args &) {
            return Value(int32_t(toScriptColor(label->palette().color(QPalette::WindowText))));
        },
        [label](Args &, const Value &v) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, fromScriptColor(v.toInt32()));
            label->setPalette(palette);
        });
    object->add(
        "BackColor",
        [label](Args &) {
            return Value(int32_t(toScriptColor(label->palette().color(QPalette::Window))));
        },
        [label](Args &, const Value &v) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, fromScriptColor(v.toInt32()));
            label->setPalette(palette);
            label->setAutoFillBackground(true);
        });
    object->add(
        "FontName", [label](Args &) { return MemberObject::fromText(label->font().family()); },
        [label](Args &, const Value &v) {
            QFont font = label->font();
            font.setFamily(MemberObject::text(v));
            label->setFont(font);
        });
    object->add(
        "FontSize", [label](Args &) { return Value(double(label->font().pointSizeF())); },
        [label](Args &, const Value &v) {
            QFont font = label->font();
            const double size = v.toDouble();
            if (size <= 0)
                throw vbs::ScriptError{380, "Invalid property value"};
            font.setPointSizeF(size);
            label->setFont(font);
        });
    object->add(
        "FontBold", [label](Args &) { return flag(label->font().bold()); },
        [label](Args &, const Value &v) {
            QFont font = label->font();
            font.setBold(v.toBool());
            label->setFont(font);
        });
    object->add(
        "FontItalic", [label](Args &) { return flag(label->font().italic()); },
        [label](Args &, const Value &v) {
            QFont font = label->font();
            font.setItalic(v.toBool());
            label->setFont(font);
        });
    return object;
}

std::shared_ptr<MemberObject> wink(TickTimer &wink)
{
    auto object = std::make_shared<MemberObject>("Timer");
    TickTimer *timer = &wink;
    object->add(
        "Enabled", [timer](Args &) { return flag(timer->isEnabled()); },
        [timer](Args &, const Value &v) { timer->setEnabled(v.toBool()); });
    object->add(
        "Interval", [timer](Args &) { return Value(int32_t(timer->interval())); },
        [timer](Args &, const Value &v) {
            const int32_t interval = v.toInt32();
            if (interval < 0 || interval > 65535)
                throw vbs::ScriptError{380, "Invalid property value"};
            timer->setInterval(interval);
        });
    return object;
}

std::shared_ptr<MemberObject> character(CharacterWindow &character)
{
    auto object = std::make_shared<MemberObject>("character");
    CharacterWindow *c = &character;
    constexpr int twips = CharacterWindow::kTwipsPerPixel;
    object->add(
        "nameoftheguy", [c](Args &) { return MemberObject::fromText(c->nameoftheguy); },
        [c](Args &, const Value &v) { c->nameoftheguy = MemberObject::text(v); });
    object->add(
        "listen", [c](Args &) { return Value::integer(c->listen); },
        [c](Args &, const Value &v) { c->listen = flagOf(v); });
    object->add(
        "sleeping", [c](Args &) { return Value::integer(c->sleeping); },
        [c](Args &, const Value &v) { c->sleeping = flagOf(v); });
    object->add(
        "trans", [c](Args &) { return Value::integer(c->trans); },
        [c](Args &, const Value &v) {
            const int level = v.toInt32();
            if (level < -32768 || level > 32767)
                throw vbs::ScriptError{6, "Overflow"};
            c->trans = qint16(level);
        });
    object->add(
        "a", [c](Args &) { return Value::single(c->a); },
        [c](Args &, const Value &v) { c->a = float(v.toDouble()); });
    object->add(
        "widthofguy", [c](Args &) { return Value::single(c->widthofguy); },
        [c](Args &, const Value &v) { c->widthofguy = float(v.toDouble()); });
    object->add(
        "Left", [c](Args &) { return Value(double(c->leftTwips())); },
        [c](Args &, const Value &v) { c->move(int(v.toDouble() / twips), c->y()); });
    object->add(
        "Top", [c](Args &) { return Value(double(c->topTwips())); },
        [c](Args &, const Value &v) { c->move(c->x(), int(v.toDouble() / twips)); });
    object->add(
        "Width", [c](Args &) { return Value(double(c->widthTwips())); },
        [c](Args &, const Value &v) { c->resize(int(v.toDouble() / twips), c->height()); });
    object->add(
        "Height", [c](Args &) { return Value(double(c->heightTwips())); },
        [c](Args &, const Value &v) { c->resize(c->width(), int(v.toDouble() / twips)); });
    object->add(
        "Visible", [c](Args &) { return flag(c->isVisible()); },
        [c](Args &, const Value &v) { c->setVisible(v.toBool()); });
    object->add("Show", [c](Args &) {
        c->show();
        return Value();
    });
    object->add("Hide", [c](Args &) {
        c->hide();
        return Value();
    });
    object->add("settingtrans", [c](Args &) {
        c->settingtrans();
        return Value();
    });
    object->add("savethelist", [c](Args &) {
        c->savethelist();
        return Value();
    });
    return object;
}

} // namespace ScriptObjects

#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

#include "Prompt.h"

namespace k30::test {

// A prompt that answers from a script, in order, and records what was asked.
// An interaction the script did not expect fails the test and cancels.
class ScriptedPrompt : public Prompt {
public:
    struct Asked {
        QString caption;
        QString text;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
    };

    // Next message box gets this answer.
    ScriptedPrompt& answer(Answer a)
    {
        steps_.push_back(Step{Kind::Box, a, {}, {}});
        return *this;
    }
    // Next file dialog returns this path (empty: cancelled).
    ScriptedPrompt& file(const QString& path)
    {
        steps_.push_back(Step{Kind::File, Answer::Ok, path, {}});
        return *this;
    }
    // Next modal dialog is handed to this function, which fills it in and
    // returns QDialog::Accepted or Rejected (usually by calling accept()).
    ScriptedPrompt& dialog(std::function<int(QDialog&)> handler)
    {
        steps_.push_back(Step{Kind::Dialog, Answer::Ok, {}, std::move(handler)});
        return *this;
    }

    Answer ask(QWidget*, const QString& caption, const QString& text, Buttons buttons, Icon icon,
               Answer defaultAnswer) override
    {
        asked.push_back(Asked{caption, text, buttons, icon, defaultAnswer});
        Step s;
        if (!next(Kind::Box, "message box \"" + text + "\"", s))
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        return s.answer;
    }

    QString chooseFile(QWidget*, const FileRequest& request) override
    {
        fileRequests.push_back(request);
        Step s;
        if (!next(Kind::File, "file dialog \"" + request.title + "\"", s))
            return {};
        return s.path;
    }

    int runDialog(QDialog& d) override
    {
        dialogs.push_back(d.windowTitle());
        Step s;
        if (!next(Kind::Dialog, "dialog \"" + d.windowTitle() + "\"", s))
            return QDialog::Rejected;
        const int r = s.handler(d);
        if (d.result() != r)
            d.setResult(r);
        return r;
    }

    // The next progress stops the work at its step-th report (from 1), as the
    // operator's Cancel would.
    ScriptedPrompt& cancelProgress(std::size_t step)
    {
        cancelAt_ = step;
        return *this;
    }

    // No window: each report is counted, and a scripted cancel answers false.
    ProgressFn progress(QWidget*, const QString& label, Language) override
    {
        progressLabels.push_back(label);
        const std::size_t stopAt = cancelAt_;
        cancelAt_ = 0;
        auto reports = std::make_shared<std::size_t>(0);
        return [stopAt, reports](std::size_t, std::size_t) { return stopAt == 0 || ++*reports < stopAt; };
    }

    bool done() const { return steps_.empty() && cancelAt_ == 0; }

    std::vector<Asked> asked;
    std::vector<FileRequest> fileRequests;
    std::vector<QString> dialogs;
    std::vector<QString> progressLabels;

private:
    enum class Kind { Box, File, Dialog };
    struct Step {
        Kind kind = Kind::Box;
        Answer answer = Answer::Ok;
        QString path;
        std::function<int(QDialog&)> handler;
    };

    bool next(Kind kind, const QString& what, Step& out)
    {
        if (steps_.empty() || steps_.front().kind != kind) {
            ADD_FAILURE() << "unexpected " << what.toStdString();
            return false;
        }
        out = std::move(steps_.front());
        steps_.pop_front();
        return true;
    }

    std::deque<Step> steps_;
    std::size_t cancelAt_ = 0;
};

}  // namespace k30::test

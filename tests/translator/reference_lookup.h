#pragma once

#include "platform/text/textfunctions.h"
#include "store/engine/field.h"
#include "store/engine/table.h"
#include "translator/wordlookup.h"

// The lookup without word forms written out step by step, one locate per
// key and form, as the slow and obvious yardstick for WordLookup, which
// skips the locates that cannot succeed. It fills result lists of its own.
class ReferenceLookup {
public:
    ReferenceLookup(store::Table &table, store::Field &source, store::Field &target)
        : m_table(table), m_source(source), m_target(target)
    {}

    translator::TResultLists lists;

    translator::WordMatch lookUp(const QString &word)
    {
        using namespace translator;
        const QString w = LowerHungarian(word);
        TTalalat &list1 = lists[0];
        TTalalat &list2 = lists[1];
        list1 = {};
        list2 = {};
        WordMatch match = WordMatch::None;
        QString finalKey;
        const bool plain = locate(w, false);
        if (plain || (!w.isEmpty() && locate(kInfinitiveMarker + w, false))) {
            match = WordMatch::Exact;
            if (!plain)
                header(list1, kInfinitiveMarker, w, kAqua, kLime);
            addRows(list1);
            finalKey = w;
        } else {
            QString matchedKey;
            QString matchedSource;
            QString form = w;
            form.chop(1);
            while (!form.isEmpty()) {
                const bool formPlain = locate(form, false);
                if (formPlain || locate(kInfinitiveMarker + form, false)) {
                    match = WordMatch::Found;
                    if (formPlain)
                        header(list1, form, {}, kLime, kAqua);
                    else
                        header(list1, kInfinitiveMarker, form, kAqua, kLime);
                    matchedKey = form;
                    matchedSource = m_source.asString();
                    addRows(list1);
                    break;
                }
                form.chop(1);
                if (form.endsWith(u' '))
                    form.chop(1);
            }
            QString k = w;
            while (!k.isEmpty()) {
                const bool kPlain = locate(k, true);
                if (kPlain || locate(kInfinitiveMarker + k, true)) {
                    const QString entry = m_source.asString();
                    match = WordMatch::Found;
                    const QString head = kPlain ? k : kInfinitiveMarker + k;
                    header(list2, head, entry.mid(head.size()), kLime, kMagenta);
                    if (matchedKey.isEmpty() || entry != matchedSource)
                        addRows(list2);
                    break;
                }
                k.chop(1);
            }
            finalKey = k;
        }
        if (finalKey.isEmpty()) {
            match = WordMatch::None;
            list1.HeadText.clear();
            list1.TailText.clear();
            if (list1.isFull())
                --list1.Count;
            list1.Items[std::size_t(list1.Count++)] = kNothingFoundLine;
        }
        return match;
    }

private:
    bool locate(const QString &key, bool partial)
    {
        if (key.size() > store::kTextFieldSize)
            return false;
        store::LocateOptions options = store::LocateOption::CaseInsensitive;
        if (partial)
            options |= store::LocateOption::PartialKey;
        return m_table.locate(m_source.fieldName(), key, options);
    }

    static void header(translator::TTalalat &list, const QString &head, const QString &tail,
                       translator::Colour headColor, translator::Colour tailColor)
    {
        list.HeadText = head;
        list.TailText = tail;
        list.HeadColor = headColor;
        list.TailColor = tailColor;
    }

    void addRows(translator::TTalalat &list)
    {
        const QString group = m_source.asString();
        while (!list.isFull()) {
            list.Items[std::size_t(list.Count++)] = translator::resultLine(m_target.asString());
            m_table.next();
            if (m_table.eof() || m_source.asString() != group)
                break;
        }
    }

    store::Table &m_table;
    store::Field &m_source;
    store::Field &m_target;
};

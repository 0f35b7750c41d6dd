#include "component_builders.h"

namespace builders {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QStringList utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << u8(text);
    return list;
}

Component fixedText(const QString& name, const QString& caption, int pixels, bool bold) {
    Component c = Component::named(name, caption);
    c.fontPixelHeight = pixels;
    c.bold = bold;
    return c;
}

Component dataEdit(const QString& name, int maxLength) {
    Component c = Component::named(name);
    c.maxLength = maxLength;
    return c;
}

Component copiedEdit(const QString& name) {
    Component c = Component::named(name);
    c.readOnly = true;
    c.enabled = false;
    return c;
}

Component suggestingCombo(const QString& name, const QStringList& items, int maxLength) {
    Component c = Component::named(name);
    c.items = items;
    c.maxLength = maxLength;
    return c;
}

Component limitedMemo(const QString& name, int maxLines) {
    Component c = Component::named(name);
    c.maxLines = maxLines;
    return c;
}

const QStringList& gradeItems() {
    static const QStringList items = utf8List(
        {"celujący", "bardzo dobry", "dobry", "dostateczny", "dopuszczający", "niedostateczny"});
    return items;
}

const QStringList& behaviourItems() {
    static const QStringList items =
        utf8List({"wzorowe", "bardzo dobre", "dobre", "poprawne", "nieodpowiednie", "naganne"});
    return items;
}

const QStringList& religionItems() {
    static const QStringList items =
        gradeItems() +
        utf8List({"nie uczęszczała", "nie uczestniczyła", "nie uczęszczał", "nie uczestniczył"});
    return items;
}

}  // namespace builders

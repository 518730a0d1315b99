#pragma once
// Help files the help tests read: the program's own, as the build lays them out, and a small
// one of three topics with links and keywords.

#include <QByteArray>
#include <QString>

inline const QString Shopping = QStringLiteral(TM_BIN_DIR "/Shopping.hlp");
inline const QString Catalog = QStringLiteral(TM_BIN_DIR "/CATALOG.HLP");

inline const QByteArray Small = "TROLLEYMIND-HELP 1\n"
                                "@title Small Help\n"
                                "\n"
                                "@topic contents\n"
                                "@title Contents\n"
                                "See [[shops]] and [[plan|the plan]].\n"
                                "\n"
                                "@topic shops 10\n"
                                "@title Shops\n"
                                "@keywords shops; Shopping list; adding a shop\n"
                                "\n"
                                "Shops text.\n"
                                "\n"
                                "\n"
                                "@topic plan 6\n"
                                "@title Floor plan\n"
                                "@keywords SHOPS; aisles; floor plan\n"
                                "Plan text.\n";

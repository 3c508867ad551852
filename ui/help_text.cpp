#include "help_text.h"

#include <QStringList>

QString help_text() {
    const QStringList lines{
        QStringLiteral("Tirlo %1, lanceur de dés : logiciel libre sous licence MIT.")
            .arg(QStringLiteral(TIRLO_VERSION)),
        QStringLiteral("Page du projet : %1").arg(QStringLiteral(TIRLO_HOMEPAGE)),
        QString(),
        QStringLiteral("Utilisation :"),
        QStringLiteral("1 ) Entrez la formule de dés à tirer dans le champ du haut"),
        QStringLiteral("2 ) Cliquez sur OK"),
        QStringLiteral("3 ) Consultez le résultat dans le champ du bas"),
        QStringLiteral("ça va, pas trop fatigué des neurones?"),
        QString(),
        QStringLiteral("Formules valides :"),
        QStringLiteral("d6 : simule un jet de dé à six faces (normal)"),
        QStringLiteral("d8 : jet de dé à 8 faces"),
        QStringLiteral("dxxx : jet de dé à xxx faces (limité à 1000D1000)"),
        QStringLiteral("2d6 : addition du résultat de 2 dés à 6 faces"),
        QStringLiteral("3d6+1d4 : addition de 3 dés à 6 faces et 1 dé à 4 faces"),
        QStringLiteral("2d8+5 : addition de 2 dés à 8 faces avec un bonus de 5"),
        QStringLiteral("3+5 : addition de 2 nombres (vous savez, il y a une calculatrice dans "
                       "Windows...)"),
        QStringLiteral(
            "3d6/4 : addition des trois meilleurs résultats sur 4 jets de dés à 6 faces"),
        QStringLiteral("3d6/4+2d8+1 : etc..."),
        QString(),
        QStringLiteral(
            "Si des points d'interrogation apparaissent dans la fenêtre résultat, c''est "
            "que la formule comprend une erreur"),
        QString(),
        QStringLiteral("Amusez-vous bien..."),
    };
    QString text;
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

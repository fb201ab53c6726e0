#!/usr/bin/env python3
"""Writes the demo product's language files, language/<LANGID>/stringHome.ini,
from the texts below (UTF-16 with a byte-order mark, as the installer's
language files are shipped).

English takes the installer's built-in defaults, read from the catalogue's key
header, so the English file follows the program; German and French are the
translations below. Every file carries every key, and each translation keeps
the placeholders of its English default in the same order.

    demo/language/make_language_files.py        (re)writes the three files
"""
import os
import re
import sys

here = os.path.dirname(os.path.abspath(__file__))
keys_header = os.path.join(here, '..', '..', 'src', 'localisation', 'ui_string_keys.h')

LINKS = {
    'IDS_RLINK_TERMS': 'https://www.example.com/vimzee/home/27/license-terms',
    'IDS_RLINK_SLIDE_SHOW': 'https://www.example.com/vimzee/home/27/tour',
}


def english_defaults():
    """The catalogue's keys and English defaults, in catalogue order."""
    text = open(keys_header, encoding='utf-8').read()
    texts = {}
    for body in re.findall(r'inline constexpr StringKey IDS_\w+\{(.*?)\};', text, re.S):
        literals = [s.replace('\\"', '"') for s in re.findall(r'u"((?:[^"\\]|\\.)*)"', body)]
        key, default = literals[0], ''.join(literals[1:])
        if not key.startswith('IDS_RLINK_'):
            texts[key] = default
    return texts

GERMAN = ('Deutsch', {
    'IDS_INSTALL': 'Installieren',
    'IDS_STATUS_INIT': 'Initialisierung...',
    'IDS_STATUS_CANCELLING': 'Wird abgebrochen...',
    'IDS_STATUS_DOWNLOADING': 'Herunterladen, bitte warten...',
    'IDS_STATUS_INSTALLING': 'Installation läuft, bitte warten...',
    'IDS_STATUS_FINISHED': 'Fertig.',
    'IDS_STATUS_INSTALL_FAILED': 'Installation fehlgeschlagen.',
    'IDS_STATUS_CANCELLED': 'Abgebrochen.',
    'IDS_PRODUCT_READY': '%s ist bereit',
    'IDS_ACCEPT_LICENSE_TERMS': 'Ich akzeptiere die',
    'IDS_LINK_LICENSE_TERMS': 'Lizenzbedingungen',
    'IDS_INSTALL_SETTINGS': 'Installationseinstellungen',
    'IDS_SELECT_LANG': 'Bitte wählen Sie eine Sprache:',
    'IDS_INSTALL_FOLDER': 'Installationsordner:',
    'IDS_TEXT_CANCEL': 'Abbrechen',
    'IDS_MESSAGE_CANCELNOTICE': 'Möchten Sie die Installation wirklich abbrechen?',
    'IDS_START_NOW': 'Jetzt starten',
    'IDS_LAUNCH_APP': '%s starten',
    'IDS_BROWSE_DEST_FOLDER': 'Wählen Sie den Zielordner.',
    'IDS_PREPARING': 'Vorbereitung...',
    'IDS_CALC_TIME_REMAINING': 'Verbleibende Zeit wird berechnet...',
    'IDS_TIME_REMAINING_HOURS': '%02d Std. %02d Min. %02d Sek. verbleibend...',
    'IDS_TIME_REMAINING_MINS': '%02d Min. %02d Sek. verbleibend...',
    'IDS_TIME_REMAINING_SECS': '%02d Sek. verbleibend...',
    'IDS_FILE_ASSOCIATION': 'Verknüpfen mit:',
    'IDS_FILE_ASSOCIATE_ALL': 'Allen unterstützten Bilddateitypen',
    'IDS_FILE_ASSOCIATE_UNUSED': 'Derzeit nicht verwendeten Dateitypen',
    'IDS_FILE_ASSOCIATE_NONE': 'Keinen Dateitypen',
    'IDS_ERR_CAPTION': 'Fehler',
    'IDS_ERR_INSTALLED_ALREADY': '%s ist bereits installiert. Möchten Sie es starten?',
    'IDS_ERR_CLIENT_TOO_OLD': 'Ihre Version des Installationsprogramms ist zu alt. Klicken Sie auf "OK", um die neueste Version herunterzuladen.',
    'IDS_ERR_OUT_OF_DISK': 'Der für die Installation benötigte Speicherplatz übersteigt den verfügbaren Speicherplatz. Stellen Sie sicher, dass mindestens %s MB frei sind, und versuchen Sie es erneut. Weitere Informationen erhalten Sie vom Kundendienst.',
    'IDS_ERR_CONNECT_DOWNLOAD_SERVER': 'Der Download-Server ist nicht erreichbar. Überprüfen Sie Ihre Internetverbindung und versuchen Sie es erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
    'IDS_ERR_SERVER_NOT_FOUND': 'Der Name des Download-Servers wurde nicht gefunden. Überprüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.',
    'IDS_ERR_SERVER_REFUSED': 'Der Download-Server hat den Download abgelehnt (HTTP-Status %d). Versuchen Sie es später erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
    'IDS_ERR_PROXY_AUTHENTICATION': 'Der Proxyserver verlangt einen Benutzernamen und ein Kennwort. Fragen Sie Ihren Administrator danach und versuchen Sie es dann erneut.',
    'IDS_ERR_WEB_PAGE': 'Das Netzwerk hat statt des Downloads eine Webseite geliefert. Wenn Sie sich in diesem Netzwerk anmelden müssen, öffnen Sie einen Webbrowser, melden Sie sich an und versuchen Sie es erneut.',
    'IDS_ERR_CERT_DATES': 'Das Zertifikat des Download-Servers ist zum Datum und zur Uhrzeit dieses Computers nicht gültig. Überprüfen Sie, ob Datum und Uhrzeit stimmen, und versuchen Sie es dann erneut.',
    'IDS_ERR_CERT_AUTHORITY': 'Das Zertifikat des Download-Servers wurde von einer Stelle ausgestellt, der dieser Computer nicht vertraut. Ein Netzwerk, das sichere Verbindungen untersucht, kann die Ursache sein; fragen Sie Ihren Administrator.',
    'IDS_ERR_CERT_NAME': 'Das Zertifikat des Download-Servers wurde für einen anderen Namen ausgestellt. Etwas zwischen diesem Computer und dem Server antwortet an seiner Stelle; fragen Sie Ihren Administrator.',
    'IDS_ERR_CERT_OTHER': 'Das Zertifikat des Download-Servers wurde nicht angenommen. Versuchen Sie es später erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
    'IDS_PROXY_SIGN_IN': 'Der Proxyserver %s verlangt einen Benutzernamen und ein Kennwort, um die Installation herunterzuladen.',
    'IDS_ERR_DOWNLOAD_STALLED': 'Der Download wurde angehalten: Vom Server kam lange nichts mehr an. Überprüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.',
    'IDS_ERR_PAYLOAD_DAMAGED': 'Die heruntergeladene Datei %s ist beschädigt oder wurde verändert. Sie wurde gelöscht, und es wurde nichts installiert. Versuchen Sie es später erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
    'IDS_ERR_CREATE_FOLDER_FAILED': 'Der angegebene Pfad %s ist nicht verfügbar.',
    'IDS_CLOSE_RUNNING_APPS': 'Die folgenden Anwendungen sollten vor dem Fortsetzen der Installation geschlossen werden:',
    'IDS_STATUS_RETRYING': 'Verbindung unterbrochen. Neuer Versuch in %d Sekunden...',
    'IDS_STATUS_WAITING_FOR_INSTALLER': 'Warten, bis eine andere Installation abgeschlossen ist...',
    'IDS_RESTART_TO_FINISH': 'Starten Sie den Computer neu, um die Installation abzuschließen.',
    'IDS_ERR_INSTALLER_BUSY': 'Eine andere Installation wird ausgeführt und wurde nicht rechtzeitig abgeschlossen. Warten Sie, bis sie abgeschlossen ist, und versuchen Sie es dann erneut.',
    'IDS_ERR_PROGRAM_FAILED': '%s konnte nicht installiert werden (Fehler %d), daher wurde nichts weiter installiert. Versuchen Sie es später erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
})

FRENCH = ('Français', {
    'IDS_INSTALL': 'Installer',
    'IDS_STATUS_INIT': 'Initialisation...',
    'IDS_STATUS_CANCELLING': 'Annulation...',
    'IDS_STATUS_DOWNLOADING': 'Téléchargement en cours, veuillez patienter...',
    'IDS_STATUS_INSTALLING': 'Installation en cours, veuillez patienter...',
    'IDS_STATUS_FINISHED': 'Terminé.',
    'IDS_STATUS_INSTALL_FAILED': "Échec de l'installation.",
    'IDS_STATUS_CANCELLED': 'Annulé.',
    'IDS_PRODUCT_READY': '%s est prêt',
    'IDS_ACCEPT_LICENSE_TERMS': "J'accepte les",
    'IDS_LINK_LICENSE_TERMS': 'Conditions de licence',
    'IDS_INSTALL_SETTINGS': "Paramètres d'installation",
    'IDS_SELECT_LANG': 'Veuillez choisir une langue :',
    'IDS_INSTALL_FOLDER': "Dossier d'installation :",
    'IDS_TEXT_CANCEL': 'Annuler',
    'IDS_MESSAGE_CANCELNOTICE': "Voulez-vous vraiment annuler l'installation ?",
    'IDS_START_NOW': 'Démarrer',
    'IDS_LAUNCH_APP': 'Lancer %s',
    'IDS_BROWSE_DEST_FOLDER': 'Choisissez le dossier de destination.',
    'IDS_PREPARING': 'Préparation...',
    'IDS_CALC_TIME_REMAINING': 'Calcul du temps restant...',
    'IDS_TIME_REMAINING_HOURS': '%02d h %02d min %02d s restantes...',
    'IDS_TIME_REMAINING_MINS': '%02d min %02d s restantes...',
    'IDS_TIME_REMAINING_SECS': '%02d s restantes...',
    'IDS_FILE_ASSOCIATION': 'Associer à :',
    'IDS_FILE_ASSOCIATE_ALL': "Tous les types de fichiers image pris en charge",
    'IDS_FILE_ASSOCIATE_UNUSED': 'Types de fichiers actuellement inutilisés',
    'IDS_FILE_ASSOCIATE_NONE': 'Aucun type de fichier',
    'IDS_ERR_CAPTION': 'Erreur',
    'IDS_ERR_INSTALLED_ALREADY': '%s est déjà installé. Voulez-vous le lancer ?',
    'IDS_ERR_CLIENT_TOO_OLD': 'La version de votre programme d\'installation est trop ancienne. Cliquez sur "OK" pour télécharger la dernière version.',
    'IDS_ERR_OUT_OF_DISK': "L'espace disque requis pour l'installation dépasse l'espace disponible. Vérifiez qu'au moins %s Mo sont disponibles et réessayez. Pour plus d'informations, contactez le service client.",
    'IDS_ERR_CONNECT_DOWNLOAD_SERVER': 'Impossible de contacter le serveur de téléchargement. Vérifiez votre connexion Internet et réessayez. Si le problème persiste, contactez le service client.',
    'IDS_ERR_SERVER_NOT_FOUND': "Le nom du serveur de téléchargement est introuvable. Vérifiez votre connexion Internet et réessayez.",
    'IDS_ERR_SERVER_REFUSED': "Le serveur de téléchargement a refusé le téléchargement (statut HTTP %d). Réessayez plus tard. Si le problème persiste, contactez le service client.",
    'IDS_ERR_PROXY_AUTHENTICATION': "Le serveur proxy demande un nom d'utilisateur et un mot de passe. Demandez-les à votre administrateur, puis réessayez.",
    'IDS_ERR_WEB_PAGE': "Le réseau a renvoyé une page web au lieu du téléchargement. Si ce réseau vous demande de vous connecter, ouvrez un navigateur web, connectez-vous et réessayez.",
    'IDS_ERR_CERT_DATES': "Le certificat du serveur de téléchargement n'est pas valide à la date et à l'heure de cet ordinateur. Vérifiez que la date et l'heure sont correctes, puis réessayez.",
    'IDS_ERR_CERT_AUTHORITY': "Le certificat du serveur de téléchargement a été émis par une autorité à laquelle cet ordinateur ne fait pas confiance. Un réseau qui inspecte les connexions sécurisées peut en être la cause ; demandez à votre administrateur.",
    'IDS_ERR_CERT_NAME': "Le certificat du serveur de téléchargement a été émis pour un autre nom. Quelque chose entre cet ordinateur et le serveur répond à sa place ; demandez à votre administrateur.",
    'IDS_ERR_CERT_OTHER': "Le certificat du serveur de téléchargement n'a pas été accepté. Réessayez plus tard. Si le problème persiste, contactez le service client.",
    'IDS_PROXY_SIGN_IN': "Le serveur proxy %s demande un nom d'utilisateur et un mot de passe pour télécharger l'installation.",
    'IDS_ERR_DOWNLOAD_STALLED': "Le téléchargement s'est arrêté : rien n'est arrivé du serveur depuis longtemps. Vérifiez votre connexion Internet et réessayez.",
    'IDS_ERR_PAYLOAD_DAMAGED': "Le fichier téléchargé %s est endommagé ou a été modifié. Il a été supprimé et rien n'a été installé. Réessayez plus tard. Si le problème persiste, contactez le service client.",
    'IDS_ERR_CREATE_FOLDER_FAILED': "Le chemin %s n'est pas disponible.",
    'IDS_CLOSE_RUNNING_APPS': "Les applications suivantes doivent être fermées avant de poursuivre l'installation :",
    'IDS_STATUS_RETRYING': 'Connexion interrompue. Nouvel essai dans %d secondes...',
    'IDS_STATUS_WAITING_FOR_INSTALLER': "En attente de la fin d'une autre installation...",
    'IDS_RESTART_TO_FINISH': "Redémarrez l'ordinateur pour terminer l'installation.",
    'IDS_ERR_INSTALLER_BUSY': "Une autre installation est en cours et ne s'est pas terminée à temps. Attendez qu'elle soit terminée, puis réessayez.",
    'IDS_ERR_PROGRAM_FAILED': "%s n'a pas pu être installé (erreur %d), rien d'autre n'a donc été installé. Réessayez plus tard. Si le problème persiste, contactez le service clientèle.",
})


def write(language_id, title, texts):
    lines = ['[LANGUAGE]', 'Title=' + title, '', '[UISTRING]']
    lines += ['%s=%s' % item for item in texts.items()]
    lines += ['', '[RLINK]']
    lines += ['%s=%s' % item for item in LINKS.items()]
    folder = os.path.join(here, str(language_id))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'stringHome.ini'), 'wb') as f:
        f.write(b'\xff\xfe' + ('\r\n'.join(lines) + '\r\n').encode('utf-16-le'))


def placeholders(text):
    return re.findall(r'%[-+ #0]*[0-9]*[a-z]', text)


english = english_defaults()
for language_id, (title, texts) in ((1031, GERMAN), (1036, FRENCH)):
    missing = set(english) ^ set(texts)
    if missing:
        sys.exit('make_language_files: %d: keys differ from the catalogue: %s' %
                 (language_id, ', '.join(sorted(missing))))
    for key, default in english.items():
        if placeholders(texts[key]) != placeholders(default):
            sys.exit('make_language_files: %d: %s: placeholders differ' % (language_id, key))
    # The catalogue's order, so the files read like the English one.
    texts = {key: texts[key] for key in english}
    write(language_id, title, texts)
write(1033, 'English', english)

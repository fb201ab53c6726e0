#!/usr/bin/env python3
"""Writes the demo product's language files (UTF-16 with a byte-order mark, as
the installer's language files are shipped) from the texts below."""
import os

here = os.path.dirname(os.path.abspath(__file__))

LINKS = {
    'IDS_RLINK_TERMS': 'https://go.orvanta.com/vzh-terms',
    'IDS_RLINK_SLIDE_SHOW': 'https://go.orvanta.com/vzh-tour',
}

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
    'IDS_TIME_REMAINING_HOURS': 'Noch %02d Std. %02d Min. %02d Sek....',
    'IDS_TIME_REMAINING_MINS': 'Noch %02d Min. %02d Sek....',
    'IDS_TIME_REMAINING_SECS': 'Noch %02d Sek....',
    'IDS_FILE_ASSOCIATION': 'Verknüpfen mit:',
    'IDS_FILE_ASSOCIATE_ALL': 'Allen unterstützten Bilddateitypen',
    'IDS_FILE_ASSOCIATE_UNUSED': 'Derzeit nicht verwendeten Dateitypen',
    'IDS_FILE_ASSOCIATE_NONE': 'Keinen Dateitypen',
    'IDS_ERR_CAPTION': 'Fehler',
    'IDS_ERR_INSTALLED_ALREADY': '%s ist bereits installiert. Möchten Sie es starten?',
    'IDS_ERR_CLIENT_TOO_OLD': 'Ihre Version des Installationsprogramms ist zu alt. Klicken Sie auf "OK", um die neueste Version herunterzuladen.',
    'IDS_ERR_OUT_OF_DISK': 'Der für die Installation benötigte Speicherplatz übersteigt den verfügbaren Speicherplatz. Stellen Sie sicher, dass mindestens %s MB frei sind, und versuchen Sie es erneut. Weitere Informationen erhalten Sie vom Kundendienst.',
    'IDS_ERR_CONNECT_DOWNLOAD_SERVER': 'Der Download-Server ist nicht erreichbar. Überprüfen Sie Ihre Internetverbindung und versuchen Sie es erneut. Wenn das Problem weiterhin besteht, wenden Sie sich an den Kundendienst.',
    'IDS_ERR_CREATE_FOLDER_FAILED': 'Der angegebene Pfad %s ist nicht verfügbar.',
    'IDS_CLOSE_RUNNING_APPS': 'Die folgenden Anwendungen sollten vor dem Fortsetzen der Installation geschlossen werden:',
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
    'IDS_ERR_CREATE_FOLDER_FAILED': "Le chemin %s n'est pas disponible.",
    'IDS_CLOSE_RUNNING_APPS': "Les applications suivantes doivent être fermées avant de poursuivre l'installation :",
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


write(1031, *GERMAN)
write(1036, *FRENCH)

// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The game read by a screen reader: the page keeps its own transcript for it, a log region to
// which all the game wrote since the last answer is added as one paragraph, once the game
// waits for the next. One paragraph an answer is all the reader is told of, where the
// terminal's own rows would each change as the screen scrolls. Its text is the game's, its
// escape sequences left out and a drawing's rows of bars said in one line. Switched off,
// nothing is added; switched on, the last paragraph is told again: what the game waits for now.
'use strict';

// Paragraphs kept for reading back; older ones go.
const PARAGRAPHES_GARDES = 40;
// Of what the game writes between two answers, the beginning (a drawing's count) and the end
// (the question and the screen before it) are kept, whole lines; what lies between is said
// as a number of lines left out. A heap of millions of matches is not kept whole.
const DEBUT_GARDE = 2000;
const FIN_GARDEE = 6000;

// A row of bars said as its count.
const barres = (n) => (n === 1 ? '1 barre' : `${n} barres`);

// The game's bytes as a reader should say them, a line of text each.
function texteAEntendre(brut) {
  return brut
    .replace(/\x1b\[[0-9;?]*[ -/]*[@-~]/g, '') // the screen's controls
    .replace(/[\x00-\x08\x0b-\x1f\x7f]/g, '')
    .split('\n')
    .map((ligne) => ligne
      .replace(/\|(?:\s*\|)*/g, (rangee) => barres(rangee.split('|').length - 1))
      .replace(/\s+/g, ' ')
      .trim())
    .filter((ligne) => ligne !== '');
}

// A drawing's rows said in one line: how many rows of how many bars, then the rest.
function resumerLesRangees(lignes) {
  const dites = [];
  let groupes = []; // [bars, rows] of the drawing under way
  const finir = () => {
    if (groupes.length === 1 && groupes[0][1] === 1) dites.push(barres(groupes[0][0]));
    else if (groupes.length > 0) {
      dites.push(groupes.map(([n, rangees]) => `${rangees === 1 ? 'une rangée' : `${rangees} rangées`} de ${barres(n)}`)
        .join(', puis '));
    }
    groupes = [];
  };
  for (const ligne of lignes) {
    const rangee = /^(\d+) barres?$/.exec(ligne);
    if (!rangee) {
      finir();
      dites.push(ligne);
    } else if (groupes.length > 0 && groupes[groupes.length - 1][0] === Number(rangee[1])) groupes[groupes.length - 1][1]++;
    else groupes.push([Number(rangee[1]), 1]);
  }
  finir();
  return dites.join('\n');
}

// `journal` is the log region; recevoir(octets) takes what the game writes, publier() makes
// a paragraph of it when the game waits, allumer(oui) switches the reading.
function creerLecture(journal) {
  const decodeur = new TextDecoder();
  let debut = ''; // the first lines, once whole
  let debutComplet = false;
  let fin = '';
  let omises = { rangees: 0, lignes: 0 }; // rows of bars and other lines left out between the two
  let inconnues = false; // lines left out while switched off, not counted
  // Switched off, the bytes are only kept, not read: the first blocks, and the last ones.
  const vides = () => ({ tete: [], taille: 0, queue: [], enQueue: 0, coupes: false });
  let bruts = vides();
  let dernier = '';
  let allume = false;
  function ajouter(texte) {
    const paragraphe = document.createElement('p');
    paragraphe.textContent = texte;
    journal.append(paragraphe);
    while (journal.childElementCount > PARAGRAPHES_GARDES) journal.firstElementChild.remove();
  }
  // Whole lines only, so that no escape sequence or row is cut: what passes the beginning's
  // room goes on to the end.
  function garderLeDebut(texte) {
    if (debutComplet) return texte;
    const place = DEBUT_GARDE - debut.length;
    debut += texte.slice(0, place);
    if (texte.length < place) return '';
    debutComplet = true;
    const coupe = debut.lastIndexOf('\n') + 1;
    const reste = debut.slice(coupe) + texte.slice(place);
    debut = debut.slice(0, coupe);
    return reste;
  }
  function garderBrut(octets) {
    if (bruts.taille < DEBUT_GARDE) {
      bruts.tete.push(octets);
      bruts.taille += octets.length;
      return;
    }
    bruts.queue.push(octets);
    bruts.enQueue += octets.length;
    while (bruts.queue.length > 1 && bruts.enQueue - bruts.queue[0].length > 2 * FIN_GARDEE) {
      bruts.enQueue -= bruts.queue.shift().length;
      bruts.coupes = true;
    }
  }
  // What was kept while switched off, read as the switched-on reading would have read it,
  // but for the number of lines left out.
  function rattraper() {
    const { tete, queue, coupes } = bruts;
    bruts = vides();
    tete.forEach(lire);
    if (!coupes) return queue.forEach(lire);
    decodeur.decode(); // a character cut where lines were left out is forgotten
    inconnues = true;
    const suite = queue.map((octets) => decodeur.decode(octets, { stream: true })).join('');
    fin = suite.slice(suite.indexOf('\n') + 1);
  }
  function lire(octets) {
    fin += garderLeDebut(decodeur.decode(octets, { stream: true }));
    if (fin.length <= 2 * FIN_GARDEE) return;
    const apres = fin.indexOf('\n', fin.length - FIN_GARDEE) + 1;
    const coupe = apres > 0 ? apres : fin.length - FIN_GARDEE;
    for (const ligne of fin.slice(0, coupe).split('\n')) {
      if (ligne.includes('|')) omises.rangees++;
      else if (ligne.trim()) omises.lignes++;
    }
    fin = fin.slice(coupe);
  }
  return {
    recevoir: (octets) => (allume ? lire(octets) : garderBrut(octets)),
    publier() {
      rattraper();
      const lignes = texteAEntendre(debut);
      const { rangees, lignes: autres } = omises;
      if (inconnues) lignes.push('(des lignes omises)');
      else if (rangees + autres > 0) lignes.push(`(${autres > 0 ? `${rangees + autres} lignes` : `${rangees} rangées`} omises)`);
      const texte = resumerLesRangees(lignes.concat(texteAEntendre(fin)));
      debut = fin = '';
      debutComplet = false;
      omises = { rangees: 0, lignes: 0 };
      inconnues = false;
      if (!texte) return;
      dernier = texte;
      if (allume) ajouter(texte);
    },
    allumer(oui) {
      rattraper();
      allume = oui;
      if (!oui) journal.replaceChildren();
      // Added in a later task, so that the region is known to the reader before it changes.
      else if (dernier) setTimeout(() => allume && ajouter(dernier), 0);
    },
  };
}

if (typeof module !== 'undefined') module.exports = { creerLecture };
